#pragma once

#include "base/Desktop.h"
#include "base/Paths.h"
#include "base/RegionalSettings.h"
#include "calc/Calculation.h"
#include "calc/Offer.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <memory>

// A desktop that shows nothing and answers "no": benchmarks time the core only.
class SilentDesktop : public zolvaric::Desktop
{
public:
    void errorBox(const QString &) override {}
    void messageBox(const QString &) override {}
    void NotifyBox(const QString &, const QString &) override {}
    int AskBox(const QString &, const QString &, int) override { return AnswerNo; }
    int ShellOpen(const QString &, const QString &, const QString &, int) override { return 0; }
    QString clipboardText() override { return QString(); }
};

// The calculation after start-up with the worked example's basis (zone 3,
// middle rate, 120000 €, the additions), and a folder for files.
struct BenchSession
{
    zolvaric::RegionalSettings settings = zolvaric::RegionalSettings::german();
    zolvaric::ProgramRun run;
    SilentDesktop desktop;
    QTemporaryDir folder;
    std::unique_ptr<zolvaric::Calculation> calculation;
    std::unique_ptr<zolvaric::Offer> offer;

    BenchSession()
    {
        run.programDir = zolvaric::WithBackslash(QDir::tempPath());
        calculation = std::make_unique<zolvaric::Calculation>(settings, run, desktop);
        calculation->startUp();
        zolvaric::CalculationSheet &s = calculation->sheet();
        s.comboHonorarzone.select(2);
        s.comboHonorarsatz.select(2);
        s.edKosten.setValue(120000);
        s.edZeithonorar.setValue(1000);
        s.edBesondereLeistung.setValue(500);
        s.edZuschlagUmbau.setValue(20);
        s.edNebenkosten.setValue(5);
        s.edStammFirma.setText(QStringLiteral("Planungsbüro Sonne & Partner"));
        s.edProjektbez.setText(QStringLiteral("Kindertagesstätte Regenbogen"));
        offer = std::make_unique<zolvaric::Offer>(*calculation);
    }
};

// The main of a benchmark program that needs Qt's core application.
inline int runBenchmarks(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
