// Pictures of the window for the user guide and for looking at changes: the
// three tabs with the worked example entered, an offer of several calculations
// and its print preview, the points dialog, a plan by
// hectares, the Geotechnik, the notes of costs below the table, a share above
// the law and a basis to check, the survey's points, the info dialog and the
// wait window, as PNG files into the folder given.
//
//   zolvaric-screenshots FOLDER

#include "app/OfferPanel.h"
#include "app/OfficeDataDialog.h"
#include "app/QtDesktop.h"
#include "app/unitInfo.h"
#include "app/unitMain.h"
#include "app/unitPunkte.h"
#include "app/unitWait.h"
#include "base/Paths.h"
#include "report/HtmlReport.h"
#include "report/Placeholders.h"
#include "report/ReportProgress.h"
#include "report/paper/PaperReport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>

using namespace zolvaric;

namespace {

void save(QWidget *widget, const QString &folder, const QString &name)
{
    const QString path = QDir(folder).filePath(name);
    if (!widget->grab().save(path))
        QTextStream(stderr) << "Kann nicht schreiben: " << path << Qt::endl;
}

void enterWorkedExample(TfrmMain &window)
{
    CalculationSheet &s = window.calculation().sheet();
    s.comboHOAINorm.select(1);
    s.comboHonorarzone.select(2);
    s.comboHonorarsatz.select(2);
    s.edKosten.setValue(120000);
    s.edZeithonorar.setValue(1000);
    s.edBesondereLeistung.setValue(500);
    s.edZuschlagUmbau.setValue(20);
    s.edNebenkosten.setValue(5);
    s.edProjektbez.setText(QStringLiteral("Kindertagesstätte Regenbogen"));
    s.edProjektnr.setText(QStringLiteral("2026-017"));
    s.edBauherrname.setText(QStringLiteral("Stadt Bonn"));
    s.edStammFirma.setText(QStringLiteral("Planungsbüro Sonne"));
    s.edStammOrt.setText(QStringLiteral("Bonn"));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zolvaric"));
    if (argc < 2) {
        QTextStream(stderr) << "Aufruf: zolvaric-screenshots ORDNER" << Qt::endl;
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);

    const RegionalSettings settings = RegionalSettings::german();
    ProgramRun run;
    QtDesktop desktop;
    NoProjectDialogs dialogs;
    TfrmMain window(settings, run, {&desktop, &dialogs, {}});
    window.show();
    enterWorkedExample(window);

    auto *tabs = window.findChild<QTabWidget *>(QStringLiteral("PageControl1"));
    const QStringList names = {"honorarberechnung.png", "hoai-tabelle.png", "leistungsphasen.png"};
    for (int i = 0; i < names.size(); ++i) {
        tabs->setCurrentIndex(i);
        QApplication::processEvents();
        save(&window, folder, names[i]);
    }
    tabs->setCurrentIndex(0);

    // An offer of three equal houses, the third as the 2nd repetition, and
    // the Freianlagen around them.
    OfferPanel &bar = window.offerPanel();
    CalculationSheet &sheet = window.calculation().sheet();
    sheet.edBezeichnung.setText(QStringLiteral("Haus A – Gebäude"));
    bar.cmdTeilDuplizierenClick();
    sheet.edBezeichnung.setText(QStringLiteral("Haus B – Gebäude"));
    sheet.edWiederholung.setValue(1);
    bar.cmdTeilDuplizierenClick();
    sheet.edBezeichnung.setText(QStringLiteral("Haus C – Gebäude"));
    sheet.edWiederholung.setValue(2);
    QApplication::processEvents();
    save(&window, folder, QStringLiteral("wiederholung.png"));
    bar.cmdTeilNeuClick();
    sheet.comboHonorarparagraph.select(static_cast<int>(
        sheet.comboHonorarparagraph.items().indexOf(QStringLiteral("Freianlagen"))));
    sheet.edBezeichnung.setText(QStringLiteral("Freianlagen"));
    sheet.comboHonorarzone.select(2);
    sheet.edKosten.setValue(85000);
    sheet.edNebenkosten.setValue(5);
    sheet.edAngebotsnummer.setText(QStringLiteral("A-2026-017"));
    sheet.edAngebotsdatum.setText(QStringLiteral("11.12.2026"));
    sheet.edLeistungsumfang.setText(
        QStringLiteral("Objektplanung Gebäude, Häuser A bis C, Leistungsphasen 1 bis 9\n"
                       "Objektplanung Freianlagen"));
    tabs->setCurrentIndex(tabs->count() - 1);
    QApplication::processEvents();
    save(&window, folder, QStringLiteral("angebot.png"));
    tabs->setCurrentIndex(0);
    bar.selectCalculation(0);

    // The print preview of that offer, as "Drucken …" shows it.
    {
        window.run().programDir = WithBackslash(QApplication::applicationDirPath());
        const PaperReport paper(window.offer(), htmlTemplatePath(window.run()));
        QPrinter printer(QPrinter::HighResolution);
        QPrintPreviewDialog preview(&printer, &window);
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                         [&paper](QPrinter *target) { paper.paint(*target); });
        preview.resize(900, 700);
        preview.show();
        QApplication::processEvents();
        save(&preview, folder, QStringLiteral("druckvorschau.png"));
    }

    // The worked example's zone 3 scored by points.
    Calculation &calculation = window.calculation();
    TfrmPunkte points(*calculation.pointSystem(), calculation.computation().currentScope(),
                      {4, 6, 5, 3, 3, 2}, &window);
    points.show();
    QApplication::processEvents();
    save(&points, folder, QStringLiteral("bewertungspunkte.png"));
    points.hide();

    sheet.edStammIBAN.setText(QStringLiteral("DE02 1203 0000 0000 2020 51"));
    sheet.edStammUnterzeichner.setText(QStringLiteral("Dipl.-Ing. Anna Sonne"));
    sheet.edStammUnterzeichnerFunktion.setText(QStringLiteral("Architektin"));
    {
        OfficeDataDialog office(sheet, window.run().settingsFile, &window);
        office.show();
        QApplication::processEvents();
        save(&office, folder, QStringLiteral("briefdaten.png"));
    }

    TfrmInfo *info = &window.infoDialog();
    info->show();
    QApplication::processEvents();
    save(info, folder, QStringLiteral("info.png"));
    info->hide();

    // Two kinds of work with a basis and phases of their own: a plan by
    // hectares, and the Geotechnik with its three Teilleistungen.
    CalculationSheet &s = calculation.sheet();
    const auto kindIndex = [&s](const QString &name) {
        return static_cast<int>(s.comboHonorarparagraph.items().indexOf(name));
    };
    s.comboHonorarparagraph.select(kindIndex(QStringLiteral("Bebauungsplan")));
    window.findChild<QAbstractButton *>(QStringLiteral("cmdInitLP"))->click();
    s.comboHonorarzone.select(1);
    s.edKosten.setValue(12.5);
    QApplication::processEvents();
    save(&window, folder, QStringLiteral("bebauungsplan.png"));
    // Its points, each criterion from 1 to 3, not yet scored.
    TfrmPunkte planPoints(*calculation.pointSystem(), calculation.computation().currentScope(), {},
                          &window);
    planPoints.show();
    QApplication::processEvents();
    save(&planPoints, folder, QStringLiteral("bewertungspunkte-bebauungsplan.png"));
    planPoints.hide();
    s.comboHonorarparagraph.select(kindIndex(QStringLiteral("Geotechnik")));
    window.findChild<QAbstractButton *>(QStringLiteral("cmdInitLP"))->click();
    s.comboHonorarzone.select(2);
    s.edKosten.setValue(850000);
    QApplication::processEvents();
    save(&window, folder, QStringLiteral("geotechnik.png"));

    // What the law does not cover, shown rather than computed silently:
    // costs below the table and a share above the Leistungsbild's.
    s.comboHonorarparagraph.select(kindIndex(QStringLiteral("Gebäude")));
    window.findChild<QAbstractButton *>(QStringLiteral("cmdInitLP"))->click();
    s.edKosten.setValue(20000);
    s.edLP8.setValue(40);
    QApplication::processEvents();
    save(&window, folder, QStringLiteral("hinweise.png"));
    // Another kind of work counting hectares: the basis is to be checked.
    s.edKosten.setValue(120000);
    s.comboHonorarparagraph.select(kindIndex(QStringLiteral("Flächennutzungsplan")));
    QApplication::processEvents();
    save(&window, folder, QStringLiteral("grundlage-pruefen.png"));
    // The survey's points, each criterion from 1.
    s.comboHonorarparagraph.select(kindIndex(QStringLiteral("Planungsbegleitende Vermessung")));
    TfrmPunkte surveyPoints(*calculation.pointSystem(), calculation.computation().currentScope(),
                            {3, 3, 3, 5, 7, 7}, &window);
    surveyPoints.show();
    QApplication::processEvents();
    save(&surveyPoints, folder, QStringLiteral("bewertungspunkte-vermessung.png"));
    surveyPoints.hide();

    TfrmWait &wait = window.waitWindow();
    wait.setMessage(reportWaitMessage());
    wait.setMaximum(static_cast<int>(placeholders(ReportKind::Html).size()));
    wait.resetBar();
    for (int i = 0; i < 37; ++i)
        wait.step();
    wait.show();
    QApplication::processEvents();
    save(&wait, folder, QStringLiteral("warten.png"));
    wait.close();
    return 0;
}
