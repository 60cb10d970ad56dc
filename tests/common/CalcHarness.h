#pragma once

#include "RecordingDesktop.h"
#include "TestFiles.h"

#include "base/Paths.h"
#include "base/RegionalSettings.h"
#include "calc/Calculation.h"
#include "calc/Offer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <array>

#include <memory>

// One kind of work of a work-phase table file.
struct WorkPhaseColumn
{
    QByteArray kind; // Windows-1252
    std::array<int, 9> shares;
    QByteArray paragraph;
};

// The bytes of a work-phase table file as an office would write one.
inline QByteArray workPhaseTableText(const QList<WorkPhaseColumn> &columns)
{
    QByteArray text = "LP";
    for (const WorkPhaseColumn &column : columns)
        text += ';' + column.kind;
    for (int n = 0; n < 9; ++n) {
        text += "\r\n" + QByteArray::number(n + 1);
        for (const WorkPhaseColumn &column : columns)
            text += ';' + QByteArray::number(column.shares[n]);
    }
    text += "\r\nParagraph";
    for (const WorkPhaseColumn &column : columns)
        text += ';' + column.paragraph;
    return text + "\r\n";
}

// The calculation as the window holds it after start-up, with German
// regional settings and an empty program folder of its own for override files.
struct CalcHarness
{
    zolvaric::RegionalSettings settings = zolvaric::RegionalSettings::german();
    QTemporaryDir programFolder;
    zolvaric::ProgramRun run;
    RecordingDesktop desktop;
    std::unique_ptr<zolvaric::Calculation> calculation;
    // The offer the calculation is the edited one of, as a project holds it.
    std::unique_ptr<zolvaric::Offer> offer;

    CalcHarness()
    {
        run.programDir = zolvaric::WithBackslash(programFolder.path());
        calculation = std::make_unique<zolvaric::Calculation>(settings, run, desktop);
        calculation->startUp();
        offer = std::make_unique<zolvaric::Offer>(*calculation);
    }

    zolvaric::CalculationSheet &sheet() { return calculation->sheet(); }
    const zolvaric::InterpolationTrace &trace() const { return calculation->trace(); }

    // Places a table file below the program folder, as an office would.
    void writeOverride(const QString &relativePath, const QByteArray &bytes)
    {
        writeBytes(programFolder.filePath(relativePath), bytes);
    }

    void removeOverride(const QString &relativePath)
    {
        QFile::remove(programFolder.filePath(relativePath));
    }

    // Chooses an edition as the user does.
    void chooseEdition(const QString &edition)
    {
        sheet().comboHOAINorm.select(
            static_cast<int>(sheet().comboHOAINorm.items().indexOf(edition)));
    }

    void chooseKind(const QString &kind)
    {
        sheet().comboHonorarparagraph.select(
            static_cast<int>(sheet().comboHonorarparagraph.items().indexOf(kind)));
    }

    void setShares(const std::array<double, 9> &shares)
    {
        for (int n = 0; n < 9; ++n)
            sheet().edLP[n]->setValue(shares[n]);
    }
};

// The worked example: 2013, Gebäude, zone 3, middle rate, 120000 €, the
// building's shares, 1000 € time fee, 500 € special services, 20 %
// renovation, 5 % incidental costs, 19 % VAT.
inline void enterWorkedExample(CalcHarness &h)
{
    zolvaric::CalculationSheet &s = h.sheet();
    h.chooseEdition(QStringLiteral("2013"));
    s.comboHonorarzone.select(2);
    s.comboHonorarsatz.select(2);
    s.edKosten.setValue(120000);
    h.setShares({2, 7, 15, 3, 25, 10, 4, 32, 2});
    s.edZeithonorar.setValue(1000);
    s.edBesondereLeistung.setValue(500);
    s.edZuschlagUmbau.setValue(20);
    s.edNebenkosten.setValue(5);
    s.edMwSt.setValue(19);
}
