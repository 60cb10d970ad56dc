#include "IsolatedHome.h"
#include "RecordingDesktop.h"
#include "TestFiles.h"

#include "app/QtTranslations.h"
#include "app/WindowPlacement.h"
#include "app/unitMain.h"
#include "app/unitPunkte.h"
#include "app/unitWait.h"
#include "app/widgets/NumericEdit.h"
#include "app/widgets/TableModel.h"
#include "base/NumberFormat.h"
#include "base/NumberText.h"
#include "base/Paths.h"
#include "calc/ZonePoints.h"
#include "persist/IniAccess.h"
#include "report/HtmlReport.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSpinBox>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

using namespace zolvaric;

namespace {

// File choices as a test scripts them; records what was asked.
class ScriptedDialogs : public ProjectDialogs
{
public:
    std::optional<QString> chooseProjectToLoad() override
    {
        asked << QStringLiteral("load");
        return next();
    }
    std::optional<QString> chooseProjectToSave() override
    {
        asked << QStringLiteral("save");
        return next();
    }
    std::optional<QString> choosePdfToSave(const QString &proposedName) override
    {
        asked << QStringLiteral("pdf ") + proposedName;
        return next();
    }
    // Prints into a PDF file where a printer would take the pages.
    bool printWithPreview(const std::function<void(QPrinter &)> &paint) override
    {
        asked << QStringLiteral("print");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printedFile);
        paint(printer);
        return true;
    }
    QString printedFile;

    QList<std::optional<QString>> answers;
    QStringList asked;

private:
    std::optional<QString> next() { return answers.isEmpty() ? std::nullopt : answers.takeFirst(); }
};

// The main window as the program starts it, with a desktop and dialogs of the test.
struct Window
{
    RegionalSettings settings = RegionalSettings::german();
    ProgramRun run;
    RecordingDesktop desktop;
    ScriptedDialogs dialogs;
    std::unique_ptr<TfrmMain> window;

    // The test's recording desktop, or another one such as the program's own.
    explicit Window(Desktop *otherDesktop = nullptr)
    {
        window = std::make_unique<TfrmMain>(
            settings, run,
            TfrmMain::Services{otherDesktop ? otherDesktop : &desktop, &dialogs, {}});
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qWarning("window not exposed");
    }

    template <typename T> T *find(const char *name) const
    {
        T *widget = window->findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("no widget %s", name);
        return widget;
    }

    // Types into an edit as the user does: focus, keys, then on to the next field.
    void type(const char *name, const QString &text)
    {
        auto *edit = find<QLineEdit>(name);
        edit->setFocus();
        edit->selectAll();
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
        edit->clearFocus();
    }

    void choose(const char *name, int index)
    {
        auto *box = find<QComboBox>(name);
        box->setCurrentIndex(index);
        emit box->activated(index);
    }

    QString shown(const char *name) const { return find<QLineEdit>(name)->text(); }
};

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void startUpState()
    {
        Window w;
        QCOMPARE(w.window->windowTitle(), QStringLiteral("Zolvaric"));
        // The design's client width, and the master data at their design
        // width; wider only where the system's fonts need more than that
        // (Wine's, for one).
        QCOMPARE(w.window->width(), std::max(870, w.window->minimumSizeHint().width()));
        auto *masterData = w.find<QGroupBox>("grpStammdaten");
        QCOMPARE(masterData->width(), std::max(363, masterData->minimumSizeHint().width()));
        // Nothing of the calculation hides below the tab widget, down to the
        // last line of the wrapped disclaimer.
        const auto bottom = [&](QWidget *widget) {
            return widget->mapTo(w.window.get(), QPoint(0, widget->height())).y();
        };
        QVERIFY(bottom(w.find<QLabel>("lbDisclaimer")) <=
                bottom(w.find<QTabWidget>("PageControl1")));
        QVERIFY(bottom(w.find<QGroupBox>("grpCalcHOAI")) <=
                bottom(w.find<QTabWidget>("PageControl1")));
        QCOMPARE(w.find<QComboBox>("comboHOAINorm")->currentText(), QStringLiteral("2021"));
        QCOMPARE(w.find<QComboBox>("comboHonorarparagraph")->currentText(),
                 QStringLiteral("Gebäude"));
        QCOMPARE(w.find<QComboBox>("comboHonorarsatz")->currentText(),
                 QStringLiteral("Mindest-/Basissatz (0%)"));
        const QStringList shares = {"2,00%",  "7,00%", "15,00%", "3,00%", "25,00%",
                                    "10,00%", "4,00%", "32,00%", "2,00%"};
        for (int n = 0; n < 9; ++n)
            QCOMPARE(w.shown(qPrintable(QStringLiteral("edLP%1").arg(n + 1))), shares[n]);
        QCOMPARE(w.find<QLabel>("lbLP5")->text(), QStringLiteral("25 %"));
        QCOMPARE(w.shown("edMwSt"), QStringLiteral("19,00%"));
        QVERIFY(w.find<QLabel>("lbVersion")->text().startsWith(QStringLiteral("Version ")));
        QVERIFY(!w.run.projectChanged);
        QVERIFY(w.window->statusText().isEmpty());
        QVERIFY(w.desktop.errors.isEmpty());
        QVERIFY2(QDir::fromNativeSeparators(w.run.settingsFile)
                     .startsWith(dataHomeFor(qEnvironmentVariable("XDG_DATA_HOME")),
                                 Qt::CaseInsensitive),
                 qPrintable(w.run.settingsFile));

        // Closed at once: no question, and the master data are saved.
        w.find<QLineEdit>("edStammFirma")->setText(QString());
        w.type("edStammFirma", QStringLiteral("Planungsbüro Sonne"));
        QVERIFY(!w.run.projectChanged);
        QVERIFY(w.window->close());
        QVERIFY(w.desktop.questions.isEmpty());
        QCOMPARE(ReadIniString(w.run.settingsFile, "Stammdaten", "Firma", QString()),
                 QStringLiteral("Planungsbüro Sonne"));
    }

    void workedExampleTypedIn()
    {
        Window w;
        w.choose("comboHOAINorm", 1);
        w.choose("comboHonorarzone", 2);
        w.choose("comboHonorarsatz", 2);
        w.type("edKosten", QStringLiteral("120000"));
        w.type("edZeithonorar", QStringLiteral("1000"));
        w.type("edBesondereLeistung", QStringLiteral("500"));
        w.type("edZuschlagUmbau", QStringLiteral("20"));
        w.type("edNebenkosten", QStringLiteral("5"));
        QCOMPARE(w.shown("edKosten"), QStringLiteral("120.000,00 €"));
        QCOMPARE(w.shown("edHonorar100Proz"), QStringLiteral("19.803,00 €"));
        QCOMPARE(w.shown("edLP8EUR"), QStringLiteral("6.336,96 €"));
        QCOMPARE(w.shown("edSummeLPEUR"), QStringLiteral("19.803,00 €"));
        QCOMPARE(w.shown("edZwi"), QStringLiteral("25.263,60 €"));
        QCOMPARE(w.shown("edNebenkostenEUR"), QStringLiteral("1.263,18 €"));
        QCOMPARE(w.shown("edNettohonorar"), QStringLiteral("26.526,78 €"));
        QCOMPARE(w.shown("edMwStEUR"), QStringLiteral("5.040,09 €"));
        QCOMPARE(w.shown("edBruttohonorar"), QStringLiteral("31.566,87 €"));
        QCOMPARE(w.find<QLabel>("lbLP8Text")->text(), QStringLiteral("Objektüberwachung"));
        QVERIFY(w.run.projectChanged);
    }

    // An offer of three calculations through the window: add, copy, rename,
    // switch, the list of the tab "Angebot" with its totals, remove after
    // the question, and nothing of a calculation lost on the way.
    void offerOfSeveralCalculations()
    {
        Window w;
        w.choose("comboHOAINorm", 1);
        w.choose("comboHonorarzone", 2);
        w.choose("comboHonorarsatz", 2);
        w.type("edKosten", QStringLiteral("120000"));
        w.type("edBezeichnung", QStringLiteral("Haus A"));
        auto *list = w.find<QListWidget>("listTeilhonorare");
        QCOMPARE(list->count(), 1);
        QVERIFY(!w.find<QToolButton>("cmdTeilEntfernen")->isEnabled());
        QCOMPARE(list->item(0)->text(), QStringLiteral("1: Haus A"));

        QTest::mouseClick(w.find<QToolButton>("cmdTeilDuplizieren"), Qt::LeftButton);
        w.type("edBezeichnung", QStringLiteral("Haus B – Wiederholung"));
        w.type("edWiederholung", QStringLiteral("1"));
        QCOMPARE(w.shown("edLP1EUR"), QStringLiteral("198,03 €"));
        QVERIFY(w.find<QLabel>("lbWiederholung")->isVisible());
        QTest::mouseClick(w.find<QToolButton>("cmdTeilNeu"), Qt::LeftButton);
        QCOMPARE(w.find<QComboBox>("comboHOAINorm")->currentText(), QStringLiteral("2013"));
        QCOMPARE(w.shown("edBezeichnung"), QString());
        QVERIFY(!w.find<QLabel>("lbWiederholung")->isVisible());
        w.type("edKosten", QStringLiteral("50000"));
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->currentRow(), 2);
        QCOMPARE(list->item(1)->text(), QStringLiteral("2: Haus B – Wiederholung"));
        QCOMPARE(list->item(2)->text(), QStringLiteral("3: Gebäude"));
        const QString third = w.shown("edNettohonorar");

        // Switching by keyboard shows each calculation as it was left.
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Up);
        QCOMPARE(w.shown("edBezeichnung"), QStringLiteral("Haus B – Wiederholung"));
        QCOMPARE(w.shown("edWiederholung"), QStringLiteral("1"));
        QCOMPARE(w.shown("edNettohonorar"), QStringLiteral("13.664,09 €"));

        // The tab "Angebot": one row each, the totals of their nets.
        auto *tabs = w.find<QTabWidget>("PageControl1");
        tabs->setCurrentIndex(tabs->count() - 1);
        QCOMPARE(tabs->tabText(tabs->currentIndex()), QStringLiteral("Angebot"));
        auto *grid = w.find<QTableWidget>("gridAngebot");
        QCOMPARE(grid->rowCount(), 3);
        QCOMPARE(grid->item(0, 1)->text(), QStringLiteral("Haus A"));
        QCOMPARE(grid->item(1, 6)->text(), QStringLiteral("1"));
        QCOMPARE(grid->item(0, 7)->text(), QStringLiteral("19.803,00 €"));
        QCOMPARE(grid->item(2, 7)->text(), third);
        const QString totals = w.find<QLabel>("lbAngebotSummen")->text();
        QVERIFY2(totals.contains(QStringLiteral("Nettohonorar des Angebots")), qPrintable(totals));
        const OfferTotals sum = w.window->offer().totals();
        QCOMPARE(sum.net, RoundDecimals(2, 19803.00 + 13664.09 + w.window->offer().summary(2).net));
        QVERIFY(totals.contains(NumberFormat::amount().format(sum.gross, w.settings)));
        // Enter on a row opens that calculation.
        grid->setFocus();
        grid->setCurrentCell(0, 1);
        QTest::keyClick(grid->viewport(), Qt::Key_Return);
        QCOMPARE(tabs->currentIndex(), 0);
        QCOMPARE(w.shown("edBezeichnung"), QStringLiteral("Haus A"));
        QCOMPARE(list->currentRow(), 0);

        // Remove asks; No keeps it, Yes removes it and shows the next one.
        w.desktop.answers = {Desktop::AnswerNo, Desktop::AnswerYes};
        QTest::mouseClick(w.find<QToolButton>("cmdTeilEntfernen"), Qt::LeftButton);
        QCOMPARE(list->count(), 3);
        QVERIFY2(w.desktop.questions.value(0).contains(QStringLiteral("\"1: Haus A\"")),
                 qPrintable(w.desktop.questions.value(0)));
        QTest::mouseClick(w.find<QToolButton>("cmdTeilEntfernen"), Qt::LeftButton);
        QCOMPARE(list->count(), 2);
        QCOMPARE(w.shown("edBezeichnung"), QStringLiteral("Haus B – Wiederholung"));
        QCOMPARE(grid->rowCount(), 2);
        QVERIFY(w.run.projectChanged);

        // A repetition is a count: neither minus nor decimals can be typed.
        w.type("edWiederholung", QStringLiteral("-2,5"));
        QCOMPARE(w.shown("edWiederholung"), QStringLiteral("25"));
        QCOMPARE(w.shown("edLP1EUR"), QStringLiteral("39,61 €")); // 2 % × 10 % of 19.803,00 €
    }

    // The offer as PDF and on paper from the toolbar: the proposed name, a
    // cancelled choice that writes nothing, a written PDF, a failed write
    // shown, and Ctrl+P printing what the preview shows.
    void pdfAndPrintFromTheToolbar()
    {
        Window w;
        QTemporaryDir folder;
        w.type("edProjektbez", QStringLiteral("Kita: Neubau"));
        w.type("edKosten", QStringLiteral("120000"));
        const QString pdf = folder.filePath(QStringLiteral("angebot.pdf"));
        w.dialogs.answers = {std::nullopt, pdf, folder.filePath(QStringLiteral("fehlt/a.pdf"))};
        auto *save = w.find<QToolButton>("cmdSaveHonorarPDF");
        QTest::mouseClick(save, Qt::LeftButton);
        QCOMPARE(w.dialogs.asked, QStringList{QStringLiteral("pdf Kita_ Neubau.pdf")});
        QVERIFY(QDir(folder.path()).isEmpty());
        QTest::mouseClick(save, Qt::LeftButton);
        QVERIFY(readBytes(pdf).startsWith("%PDF-"));
        QVERIFY(w.desktop.errors.isEmpty() && w.desktop.notices.isEmpty());
        QTest::mouseClick(save, Qt::LeftButton);
        QCOMPARE(w.desktop.errors.size() + w.desktop.notices.size(), 1);
        QVERIFY(!QFileInfo::exists(folder.filePath(QStringLiteral("fehlt"))));
        QVERIFY(!w.run.busy);

        w.dialogs.printedFile = folder.filePath(QStringLiteral("gedruckt.pdf"));
        QApplication::setActiveWindow(w.window.get());
        QVERIFY(QTest::qWaitForWindowActive(w.window.get()));
        QTest::keyClick(w.window.get(), Qt::Key_P, Qt::ControlModifier);
        // A shortcut clicks its button a moment later.
        QTRY_COMPARE(w.dialogs.asked.last(), QStringLiteral("print"));
        QVERIFY(readBytes(w.dialogs.printedFile).startsWith("%PDF-"));
        QVERIFY(!w.run.busy);
    }

    void typingRules_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("decimal comma") << "1,5"
                                       << "1,5" << 1.5;
        QTest::newRow("decimal point") << "1.5"
                                       << "1,5" << 1.5;
        QTest::newRow("third decimal refused") << "2,345"
                                               << "2,34" << 2.34;
        QTest::newRow("second separator refused") << "1,2,3"
                                                  << "1,23" << 1.23;
        QTest::newRow("letters refused") << "7a"
                                         << "7" << 7.0;
        QTest::newRow("negative") << "-3"
                                  << "-3" << -3.0;
    }
    void typingRules()
    {
        QFETCH(QString, keys);
        QFETCH(QString, text);
        QFETCH(double, value);
        Window w;
        auto *edit = w.find<NumericEdit>("edLP1");
        edit->setFocus();
        edit->selectAll();
        for (const QChar c : keys)
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QCOMPARE(edit->text(), text);
        QCOMPARE(w.window->calculation().sheet().edLP1.value(), value);
    }

    // Pasting passes the same rule as typing: a refused text leaves the
    // field's text and value as they were.
    void pastingRules_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("number") << "12,5"
                                << "12,5" << 12.5;
        QTest::newRow("third decimal refused") << "1,005"
                                               << "7" << 7.0;
        QTest::newRow("letters refused") << "abc"
                                         << "7" << 7.0;
        QTest::newRow("thousands point refused") << "1.234"
                                                 << "7" << 7.0;
        QTest::newRow("formatted amount refused") << "1.234,50 €"
                                                  << "7" << 7.0;
    }
    void pastingRules()
    {
        QFETCH(QString, pasted);
        QFETCH(QString, text);
        QFETCH(double, value);
        Window w;
        auto *edit = w.find<NumericEdit>("edLP1");
        edit->setFocus();
        edit->selectAll();
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QStringLiteral("7"),
                            Qt::NoModifier);
        edit->selectAll();
        QApplication::clipboard()->setText(pasted);
        edit->paste();
        QCOMPARE(edit->text(), text);
        QCOMPARE(w.window->calculation().sheet().edLP1.value(), value);
    }

    // Qt's own texts (dialog buttons, the file dialog, the edit menu) come
    // in German like the program's.
    void qtTextsInGerman_data()
    {
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("german");
        QTest::newRow("cancel button") << "QPlatformTheme"
                                       << "Cancel"
                                       << "Abbrechen";
        QTest::newRow("save button") << "QPlatformTheme"
                                     << "Save"
                                     << "Speichern";
        QTest::newRow("file name") << "QFileDialog"
                                   << "File &name:"
                                   << "Datei&name:";
        QTest::newRow("copy in edits") << "QLineEdit"
                                       << "&Copy"
                                       << "&Kopieren";
    }
    void qtTextsInGerman()
    {
        QFETCH(QString, context);
        QFETCH(QString, english);
        QFETCH(QString, german);
        static const bool installed = installGermanQtTexts(*QCoreApplication::instance());
        QVERIFY(installed);
        QCOMPARE(QCoreApplication::translate(qPrintable(context), qPrintable(english)), german);
    }

    void escapeRestoresTheStoredValue()
    {
        Window w;
        auto *edit = w.find<NumericEdit>("edMwSt");
        edit->setFocus();
        edit->selectAll();
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QStringLiteral("7"),
                            Qt::NoModifier);
        QCOMPARE(w.window->calculation().sheet().edMwSt.value(), 7.0);
        QTest::keyClick(edit, Qt::Key_Escape);
        QCOMPARE(edit->text(), QStringLiteral("19"));
        QCOMPARE(w.window->calculation().sheet().edMwSt.value(), 19.0);
    }

    void kindOfWorkAndEdition()
    {
        Window w;
        // A typed share stays; the untouched ones are Gebäude's, and ">>"
        // takes the Tragwerksplanung's.
        w.type("edLP9", QStringLiteral("1"));
        w.choose("comboHonorarparagraph", 5); // Tragwerksplanung
        QCOMPARE(w.find<QLabel>("lbLP4")->text(), QStringLiteral("30 %"));
        QCOMPARE(w.shown("edLP4"), QStringLiteral("3,00%"));
        QTest::mouseClick(w.find<QToolButton>("cmdInitLP"), Qt::LeftButton);
        QCOMPARE(w.shown("edLP4"), QStringLiteral("30,00%"));
        w.choose("comboHOAINorm", 2);
        QCOMPARE(w.find<QComboBox>("comboHonorarparagraph")->currentText(),
                 QStringLiteral("Ausbauten"));
        QCOMPARE(w.find<QComboBox>("comboParagraph")->currentText(), QStringLiteral("§ 34 HOAI"));
        QCOMPARE(w.shown("edLP3"), QStringLiteral("14,00%"));
    }

    void costsAboveTheTableWarnInTheWindow()
    {
        Window w;
        auto *warning = w.find<QLabel>("lbWarning");
        QVERIFY(!warning->isVisible());
        w.type("edKosten", QStringLiteral("30000000"));
        QVERIFY(warning->isVisible());
        QVERIFY(warning->text().startsWith(QStringLiteral("Die anrechenbaren Kosten liegen über")));
        QVERIFY(w.desktop.errors.isEmpty());
        w.type("edKosten", QStringLiteral("100000"));
        QVERIFY(!warning->isVisible());
    }

    // The free rate's input opens with the sixth item; a rate outside the
    // span of an edition that bound it, and a renovation surcharge above its
    // limit, are noted beside the full fee.
    void feeAgreementInTheWindow()
    {
        Window w;
        auto *rate = w.find<NumericEdit>("edHonorarsatzProz");
        QVERIFY(!rate->isEnabled());
        QVERIFY(rate->isReadOnly());
        w.choose("comboHOAINorm", 1);
        w.choose("comboHonorarzone", 2);
        w.choose("comboHonorarsatz", 2);
        w.type("edKosten", QStringLiteral("120000"));
        QCOMPARE(w.shown("edHonorarsatzProz"), QStringLiteral("50,00%"));
        w.choose("comboHonorarsatz", 5);
        QCOMPARE(w.find<QComboBox>("comboHonorarsatz")->currentText(),
                 QStringLiteral("frei vereinbart"));
        QVERIFY(rate->isEnabled());
        QVERIFY(!rate->isReadOnly());
        w.type("edHonorarsatzProz", QStringLiteral("37,5"));
        QCOMPARE(w.shown("edHonorar100Proz"), QStringLiteral("19.258,50 €"));
        auto *warning = w.find<QLabel>("lbWarning");
        QVERIFY(!warning->isVisible());
        w.type("edHonorarsatzProz", QStringLiteral("-5"));
        QVERIFY(warning->isVisible());
        QCOMPARE(warning->text(), QStringLiteral("Der Honorarsatz liegt außerhalb der Mindest- und "
                                                 "Höchstsätze der HOAI 2013."));
        w.type("edHonorarsatzProz", QStringLiteral("5"));
        w.type("edZuschlagUmbau", QStringLiteral("34"));
        QVERIFY(warning->isVisible());
        QVERIFY(warning->text().endsWith(QStringLiteral("(§ 36 Abs. 1 HOAI 2013).")));
        QVERIFY(w.find<NumericEdit>("edZuschlagUmbau")
                    ->toolTip()
                    .contains(QStringLiteral("(§ 6 Abs. 2 HOAI 2013)")));
        QVERIFY(w.desktop.errors.isEmpty());
    }

    // The points dialog scores the criteria of the kind of work; OK sets the
    // zone they give, Abbrechen changes nothing.
    void zoneByPoints_data()
    {
        QTest::addColumn<int>("choice");
        QTest::newRow("OK") << int(QDialogButtonBox::Ok);
        QTest::newRow("Abbrechen") << int(QDialogButtonBox::Cancel);
    }
    void zoneByPoints()
    {
        QFETCH(int, choice);
        const bool accepted = choice == QDialogButtonBox::Ok;
        Window w;
        auto *button = w.find<QToolButton>("cmdHonorarzonePunkte");
        w.choose("comboHonorarparagraph", 5); // Tragwerksplanung
        QVERIFY(!button->isEnabled());
        QVERIFY(button->toolTip().contains(QStringLiteral("keine Bewertungspunkte")));
        w.choose("comboHonorarparagraph", 0);
        QVERIFY(button->isEnabled());
        QCOMPARE(button->toolTip(), QStringLiteral("Honorarzone nach Bewertungspunkten ermitteln"));

        QStringList shown;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto *dialog = qobject_cast<TfrmPunkte *>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            poll.stop();
            const QList<QSpinBox *> spins = dialog->findChildren<QSpinBox *>();
            const int points[6] = {4, 6, 5, 3, 3, 2};
            for (int i = 0; i < spins.size(); ++i)
                spins[i]->setValue(points[i]);
            for (const char *name : {"lbPunkteTitel", "lbPunkteSumme", "lbPunkteZone"})
                shown << dialog->findChild<QLabel *>(QLatin1String(name))->text();
            shown << QString::number(spins.size()) << QString::number(spins.last()->maximum());
            auto *buttons = dialog->findChild<QDialogButtonBox *>();
            QTest::mouseClick(buttons->button(QDialogButtonBox::StandardButton(choice)),
                              Qt::LeftButton);
        });
        poll.start(10);
        w.run.projectChanged = false;
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(shown, (QStringList{"Gebäude – § 35 Abs. 2, 4 und 6 HOAI 2021",
                                     "Summe: 23 von 42 Punkten", "Honorarzone 3 (19 bis 26 Punkte)",
                                     "6", "6"}));
        QCOMPARE(w.find<QComboBox>("comboHonorarzone")->currentText(),
                 accepted ? QStringLiteral("Honorarzone 3") : QStringLiteral("Honorarzone 1"));
        QCOMPARE(w.window->calculation().zonePoints(),
                 accepted ? (QList<int>{4, 6, 5, 3, 3, 2}) : QList<int>{});
        QCOMPARE(w.run.projectChanged, accepted);
        if (accepted) {
            QVERIFY(button->toolTip().contains(QStringLiteral("23 Punkten")));
            w.choose("comboHonorarzone", 1);
            QVERIFY(w.window->calculation().zonePoints().isEmpty());
        }
    }

    // The two table tabs get their grid when first chosen; it shows the
    // field's table and follows its changes.
    void tableTabsShowTheirTables_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("grid");
        QTest::newRow("HOAI-Tabelle") << 1 << "gridHOAI";
        QTest::newRow("Leistungsphasen") << 2 << "gridLeistungsphasen";
    }

    void tableTabsShowTheirTables()
    {
        QFETCH(int, tab);
        QFETCH(QString, grid);
        Window w;
        QVERIFY(!w.window->findChild<QTableView *>(grid));
        auto *tabs = w.find<QTabWidget>("PageControl1");
        tabs->setCurrentIndex(tab);
        tabs->setCurrentIndex(0);
        tabs->setCurrentIndex(tab);
        QApplication::processEvents();
        QCOMPARE(w.window->findChildren<QTableView *>(grid).size(), 1);
        auto *view = w.window->findChild<QTableView *>(grid);
        QVERIFY(view->isVisible());
        CalculationSheet &sheet = w.window->calculation().sheet();
        const TableField &field =
            grid == QLatin1String("gridHOAI") ? sheet.gridHOAI : sheet.gridLeistungsphasen;
        const auto shows = [&] {
            const TextTable &table = field.table();
            const QAbstractItemModel *model = view->model();
            if (model->rowCount() != table.rowCount() - 1 ||
                model->columnCount() != table.columnCount() - 1)
                return false;
            const int last = model->rowCount() - 1;
            // The fee table's keys in the regional notation.
            const QString lastKey =
                grid == QLatin1String("gridHOAI")
                    ? QLocale(QLocale::German).toString(table.number(last + 1, 0), 'f', 0)
                    : table.cell(last + 1, 0);
            return static_cast<const TableModel *>(model)->cornerText() == table.cell(0, 0) &&
                   model->headerData(0, Qt::Horizontal).toString() == table.cell(0, 1) &&
                   model->headerData(last, Qt::Vertical).toString() == lastKey &&
                   model->index(last, 0).data().toString() == table.cell(last + 1, 1);
        };
        QVERIFY(field.table().rowCount() > 1);
        QVERIFY(shows());
        const QString before = field.table().cell(1, 1);
        w.choose("comboHOAINorm", 0); // 2002
        w.choose("comboHonorarparagraph", 5);
        QVERIFY(field.table().cell(1, 1) != before || grid == QLatin1String("gridLeistungsphasen"));
        QVERIFY(shows());
    }

    // What the kind of work does not have cannot be typed: a repetition for
    // a Flächenplanung, a renovation surcharge there, zones its table lacks;
    // the hints say why. A basis in another unit is marked until typed anew.
    void inputsTheKindDoesNotHave_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("repetition");
        QTest::addColumn<QString>("repetitionHint");
        QTest::addColumn<bool>("surcharge");
        QTest::addColumn<int>("zones");
        QTest::addColumn<bool>("basisNote");
        QTest::newRow("Gebäude") << 0 << true << "0 für keine" << true << 5 << false;
        QTest::newRow("Innenräume")
            << 1 << true << "nur bei Typenplanung oder Serienbauten" << true << 5 << false;
        QTest::newRow("Technische Ausrüstung") << 6 << true << "0 für keine" << true << 3 << false;
        QTest::newRow("Bebauungsplan")
            << 8 << false << "sie plant keine Objekte" << false << 3 << true;
        QTest::newRow("Bauakustik") << 16 << false << "Anlage 1 HOAI 2021" << true << 3 << false;
        QTest::newRow("Planungsbegleitende Vermessung")
            << 19 << false << "Anlage 1 HOAI 2021" << true << 5 << true;
    }
    void inputsTheKindDoesNotHave()
    {
        QFETCH(int, kind);
        QFETCH(bool, repetition);
        QFETCH(QString, repetitionHint);
        QFETCH(bool, surcharge);
        QFETCH(int, zones);
        QFETCH(bool, basisNote);
        Window w;
        w.type("edKosten", QStringLiteral("80"));
        w.choose("comboHonorarparagraph", kind);
        auto *repetitionEdit = w.find<QLineEdit>("edWiederholung");
        QCOMPARE(repetitionEdit->isEnabled(), repetition);
        QVERIFY2(repetitionEdit->toolTip().contains(repetitionHint),
                 qPrintable(repetitionEdit->toolTip()));
        QCOMPARE(w.find<QLineEdit>("edZuschlagUmbau")->isEnabled(), surcharge);
        auto *zone = w.find<QComboBox>("comboHonorarzone");
        const auto *items = qobject_cast<const QStandardItemModel *>(zone->model());
        for (int i = 0; i < 5; ++i)
            QCOMPARE(items->item(i)->isEnabled(), i < zones);
        QCOMPARE(zone->count(), 5);
        auto *note = w.find<QLabel>("lbGrundlageHinweis");
        QCOMPARE(note->isVisible(), basisNote);
        QVERIFY(!w.find<QLabel>("lbWarning")->text().contains(QStringLiteral("bitte prüfen")));
        if (basisNote) {
            w.type("edKosten", QStringLiteral("8"));
            QVERIFY(!note->isVisible());
        }
    }

    // Long notes wrap and are shown whole: the rows below move down, the
    // tab scrolls.
    void notesAreShownWhole()
    {
        Window w;
        w.type("edKosten", QStringLiteral("20000"));
        w.type("edLP8", QStringLiteral("40"));
        w.type("edZuschlagUmbau", QStringLiteral("60"));
        QApplication::processEvents();
        auto *note = w.find<QLabel>("lbWarning");
        QCOMPARE(note->text().count(QLatin1Char('\n')), 2);
        QVERIFY(note->height() >= note->heightForWidth(note->width()));
        const QPoint below = note->mapTo(w.window.get(), QPoint(0, note->height()));
        const auto *first = w.find<QLineEdit>("edLP1");
        QVERIFY(first->mapTo(w.window.get(), QPoint(0, 0)).y() > below.y());
    }

    // The fee table's tab shows the zones the table has and its keys in the
    // regional notation, the heading of the keys whole.
    void feeTableTabShowsWhatTheTableHas()
    {
        Window w;
        w.choose("comboHonorarparagraph", 8); // Bebauungsplan, 0,5 to 100 ha
        w.find<QTabWidget>("PageControl1")->setCurrentIndex(1);
        QApplication::processEvents();
        auto *view = w.window->findChild<QTableView *>(QStringLiteral("gridHOAI"));
        QVERIFY(view);
        QCOMPARE(view->model()->headerData(0, Qt::Vertical).toString(), QStringLiteral("0,5"));
        for (int column = 0; column < view->model()->columnCount(); ++column)
            QCOMPARE(view->isColumnHidden(column), column >= 6);
        const QString heading = static_cast<TableModel *>(view->model())->cornerText();
        QVERIFY(view->verticalHeader()->width() >
                view->verticalHeader()->fontMetrics().horizontalAdvance(heading));
        w.find<QTabWidget>("PageControl1")->setCurrentIndex(0);
        w.choose("comboHonorarparagraph", 0); // Gebäude, five zones
        QVERIFY(!view->isColumnHidden(9));
        QCOMPARE(view->model()->headerData(0, Qt::Vertical).toString(), QStringLiteral("25.000"));
    }

    // Alt and the underlined letter click a toolbar button; while a report
    // runs the buttons are disabled and take no click.
    void toolbarShortcuts_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("shortcut");
        QTest::newRow("load") << "cmdLoadProjekt"
                              << "Alt+L";
        QTest::newRow("save") << "cmdSaveProjekt"
                              << "Alt+S";
        QTest::newRow("doc") << "cmdPrintHonorarDOC"
                             << "Alt+D";
        QTest::newRow("html") << "cmdPrintHonorarHTML"
                              << "Alt+H";
        QTest::newRow("info") << "cmdInfo"
                              << "Alt+I";
    }
    void toolbarShortcuts()
    {
        QFETCH(QString, button);
        QFETCH(QString, shortcut);
        Window w;
        auto *tool = w.find<QToolButton>(qPrintable(button));
        QCOMPARE(tool->shortcut(), QKeySequence(shortcut));
        w.window->SetBusyState(true);
        QVERIFY(!tool->isEnabled());
        QVERIFY(!w.find<QTabWidget>("PageControl1")->isEnabled());
        w.window->SetBusyState(false);
        QVERIFY(tool->isEnabled());
    }

    void closeRefusedWhileBusy()
    {
        Window w;
        w.run.busy = true;
        QVERIFY(!w.window->close());
        QVERIFY(w.desktop.questions.isEmpty());
        w.run.busy = false;
        QVERIFY(w.window->close());
    }

    void closePrompt_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("chooseFile");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("saved");
        QTest::newRow("yes, file chosen") << int(Desktop::AnswerYes) << true << true << true;
        QTest::newRow("yes, dialog cancelled")
            << int(Desktop::AnswerYes) << false << false << false;
        QTest::newRow("no") << int(Desktop::AnswerNo) << false << true << false;
        QTest::newRow("cancel") << int(Desktop::AnswerCancel) << false << false << false;
    }
    void closePrompt()
    {
        QFETCH(int, answer);
        QFETCH(bool, chooseFile);
        QFETCH(bool, closes);
        QFETCH(bool, saved);
        Window w;
        const QString file =
            QDir(qEnvironmentVariable("HOME")).filePath(QStringLiteral("prompt.prj"));
        QFile::remove(file);
        w.type("edProjektbez", QStringLiteral("Kita"));
        QVERIFY(w.run.projectChanged);
        w.desktop.answers = {answer};
        if (chooseFile)
            w.dialogs.answers = {file};
        QCOMPARE(w.window->close(), closes);
        QCOMPARE(
            w.desktop.questions,
            QStringList{"Das aktuelle Projekt wurde noch nicht gespeichert. Jetzt Speichern?"});
        QCOMPARE(w.desktop.captions.first(), QStringLiteral("Zolvaric - Abfrage"));
        QCOMPARE(QFile::exists(file), saved);
    }

    void saveAndLoadThroughTheDialogs()
    {
        Window w;
        const QString file =
            QDir(qEnvironmentVariable("HOME")).filePath(QStringLiteral("dialog.prj"));
        w.type("edKosten", QStringLiteral("250000"));
        w.dialogs.answers = {file};
        QTest::mouseClick(w.find<QToolButton>("cmdSaveProjekt"), Qt::LeftButton);
        QCOMPARE(
            w.window->statusText(),
            QStringLiteral("Aktuelle Projektdatei : \"%1\"").arg(QDir::toNativeSeparators(file)));
        QVERIFY(!w.run.projectChanged);
        w.type("edKosten", QStringLiteral("1"));
        w.dialogs.answers = {file};
        QTest::mouseClick(w.find<QToolButton>("cmdLoadProjekt"), Qt::LeftButton);
        QCOMPARE(w.shown("edKosten"), QStringLiteral("250.000,00 €"));
        QVERIFY(!w.run.projectChanged);
        // A cancelled dialog changes nothing.
        w.type("edKosten", QStringLiteral("2"));
        QTest::mouseClick(w.find<QToolButton>("cmdLoadProjekt"), Qt::LeftButton);
        QCOMPARE(w.shown("edKosten"), QStringLiteral("2,00 €"));
    }

    void projectNamedOnTheCommandLine()
    {
        Window w;
        const QString file =
            QDir(qEnvironmentVariable("HOME")).filePath(QStringLiteral("doppelklick.prj"));
        writeBytes(file,
                   "[Projektdaten]\r\nProjektbezeichnung=Kita\r\nAnrechenbare_Kosten=100000\r\n");
        w.window->loadProjectFile(file);
        QCOMPARE(w.shown("edProjektbez"), QStringLiteral("Kita"));
        QCOMPARE(
            w.window->statusText(),
            QStringLiteral("Aktuelle Projektdatei : \"%1\"").arg(QDir::toNativeSeparators(file)));
        QVERIFY(!w.run.projectChanged);
        writeBytes(file, "[Projektdaten]\r\nHonorarzone=9\r\n");
        w.window->loadProjectFile(file);
        QCOMPARE(w.desktop.errors.size(), 1);
        QCOMPARE(w.shown("edProjektbez"), QStringLiteral("Kita"));
    }

    // The offer's dates on the Angebot tab: typed short or long, checked;
    // what is no date stays visible, marked, and leaves the field as it was.
    void offerDateTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("marked");
        QTest::newRow("short year") << "1.2.26"
                                    << "01.02.2026" << false;
        QTest::newRow("long") << "31.12.2026"
                              << "31.12.2026" << false;
        QTest::newRow("no such day") << "31.2.2026"
                                     << "15.01.2026" << true;
        QTest::newRow("cleared") << ""
                                 << "" << false;
    }
    void offerDateTyped()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(bool, marked);
        Window w;
        w.window->calculation().sheet().edAngebotsdatum.setText(QStringLiteral("15.01.2026"));
        w.run.projectChanged = false;
        w.find<QTabWidget>("PageControl1")->setCurrentIndex(3);
        auto *edit = w.find<QLineEdit>("edAngebotsdatum");
        if (typed.isEmpty()) {
            edit->setFocus();
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key_Backspace);
            edit->clearFocus();
        } else {
            w.type("edAngebotsdatum", typed);
        }
        QCOMPARE(w.window->calculation().sheet().edAngebotsdatum.text(), stored);
        QCOMPARE(w.run.projectChanged, !marked);
        QCOMPARE(edit->toolTip().isEmpty(), !marked);
    }

    // The master data keep 358 pixels, the calculation 500: at the design's
    // width 358 to 370 (the window may be wider where fonts need it).
    void splitterLimits_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("fromRight"); // width counts back from the window's - 500
        QTest::addColumn<bool>("accepted");
        QTest::newRow("357") << 357 << false << false;
        QTest::newRow("358") << 358 << false << true;
        QTest::newRow("370 at 870") << 0 << true << true;
        QTest::newRow("371 at 870") << 1 << true << false;
    }
    void splitterLimits()
    {
        QFETCH(int, width);
        QFETCH(bool, fromRight);
        QFETCH(bool, accepted);
        Window w;
        w.window->resize(870, w.window->height());
        if (fromRight)
            width += w.window->width() - 500;
        QCOMPARE(w.window->Splitter1CanResize(width), accepted);
    }

    // Less than 500 pixels right of the master data snaps the column back.
    void shrinkingSnapsTheMasterDataBack()
    {
        Window w;
        w.window->resize(1300, w.window->height());
        QApplication::processEvents();
        auto *splitter = w.find<QSplitter>("Splitter1");
        splitter->setSizes({700, splitter->width() - 705});
        QApplication::processEvents();
        QCOMPARE(w.find<QGroupBox>("grpStammdaten")->width(), 700);
        w.window->resize(1000, w.window->height());
        QApplication::processEvents();
        QCOMPARE(w.find<QGroupBox>("grpStammdaten")->width(), 363);
    }

    void htmlReportThroughTheWaitWindow()
    {
        Window w;
        QTest::mouseClick(w.find<QToolButton>("cmdPrintHonorarHTML"), Qt::LeftButton);
        QCOMPARE(w.desktop.opened.size(), 1);
        QVERIFY(w.desktop.opened.first().endsWith(QStringLiteral("Zolvaric.htm")));
        QCOMPARE(w.window->waitWindow().position(), 96);
        QVERIFY(!w.window->waitWindow().isVisible());
        QVERIFY(!w.run.busy);
        QVERIFY(w.find<QToolButton>("cmdSaveProjekt")->isEnabled());
    }

    // Laptop screens and scaling: the window opens inside the screen's free
    // area, title bar included, its minimum fits, and the results can be
    // scrolled into view. Run again by ctest on several screens.
    void windowFitsTheScreen()
    {
        Window w;
        const QRect available = w.window->screen()->availableGeometry();
        const QMargins frame = w.window->windowHandle()->frameMargins();
        QVERIFY2(available.contains(w.window->frameGeometry()),
                 qPrintable(QStringLiteral("%1 on %2")
                                .arg(QDebug::toString(w.window->frameGeometry()),
                                     QDebug::toString(available))));
        const QSize minimum = w.window->minimumSizeHint().expandedTo(w.window->minimumSize());
        QVERIFY(minimum.grownBy(frame).width() <= available.width());
        QVERIFY(minimum.grownBy(frame).height() <= available.height());
        // The keyboard way down the calculation and the master data: each
        // field with the focus comes into view.
        auto *scroll = w.find<QScrollArea>("CalculationScroll");
        QApplication::setActiveWindow(w.window.get());
        w.find<QComboBox>("comboHOAINorm")->setFocus();
        QStringList reached;
        for (int step = 0; step < 80 && reached.size() < 4; ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget *edit = QApplication::focusWidget();
            const QString name = edit ? edit->objectName() : QString();
            if (!QStringList{"edKosten", "edNebenkosten", "edMwSt", "edStammFirma"}.contains(name))
                continue;
            reached << name;
            const QRect shown(edit->mapTo(scroll->viewport(), QPoint()), edit->size());
            QVERIFY2(scroll->viewport()->rect().contains(shown), qPrintable(name));
            QVERIFY2(available.contains(QRect(edit->mapToGlobal(QPoint()), edit->size())),
                     qPrintable(name));
        }
        QCOMPARE(reached.size(), 4);
        for (const char *name : {"cmdLoadProjekt", "cmdPrintHonorarHTML", "cmdInfo"}) {
            auto *button = w.find<QToolButton>(name);
            QVERIFY2(w.window->rect().contains(
                         QRect(button->mapTo(w.window.get(), QPoint()), button->size())),
                     name);
        }
    }

    void placementOnScreen_data()
    {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QSize>("wanted");
        QTest::addColumn<QPoint>("position"); // (-1, -1): centred
        QTest::addColumn<QRect>("client");
        QTest::newRow("fits, centred") << QRect(0, 0, 1280, 1024) << QSize(870, 960)
                                       << QPoint(-1, -1) << QRect(205, 45, 870, 960);
        QTest::newRow("too tall for a laptop") << QRect(0, 0, 1366, 728) << QSize(870, 960)
                                               << QPoint(-1, -1) << QRect(248, 30, 870, 694);
        QTest::newRow("panel at the top") << QRect(0, 27, 1280, 693) << QSize(870, 960)
                                          << QPoint(-1, -1) << QRect(205, 57, 870, 659);
        QTest::newRow("kept where it fits") << QRect(0, 0, 1280, 1024) << QSize(800, 600)
                                            << QPoint(100, 50) << QRect(104, 80, 800, 600);
        QTest::newRow("off the bottom right") << QRect(0, 0, 1280, 1024) << QSize(800, 600)
                                              << QPoint(900, 900) << QRect(476, 420, 800, 600);
        QTest::newRow("title bar above the screen") << QRect(0, 0, 1366, 768) << QSize(870, 700)
                                                    << QPoint(100, -20) << QRect(104, 30, 870, 700);
        QTest::newRow("second screen on the left") << QRect(-1920, 0, 1920, 1080) << QSize(870, 960)
                                                   << QPoint(-10, 0) << QRect(-874, 30, 870, 960);
    }
    void placementOnScreen()
    {
        QFETCH(QRect, available);
        QFETCH(QSize, wanted);
        QFETCH(QPoint, position);
        QFETCH(QRect, client);
        const QMargins frame(4, 30, 4, 4);
        const std::optional<QPoint> at =
            position == QPoint(-1, -1) ? std::nullopt : std::optional<QPoint>(position);
        const QRect placed = clientGeometryOnScreen(available, frame, wanted, at);
        QCOMPARE(placed, client);
        QVERIFY(available.contains(placed.marginsAdded(frame)));
    }

    // A message raised while a report runs is the active window, in front
    // of the wait window, which steps aside until it is answered.
    void messageInFrontOfTheWaitWindow()
    {
        QtDesktop desktop;
        Window w(&desktop);
        desktop.setMainWindow(w.window.get());
        // A folder where the report should go: the write fails.
        const QString output = htmlReportPath();
        QFile::remove(output);
        QVERIFY(QDir().mkpath(output));
        QString text;
        bool waitHidden = false, boxActive = false, arrow = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible() || QApplication::activeWindow() != box)
                return;
            poll.stop();
            text = box->text();
            waitHidden = !w.window->waitWindow().isVisible();
            boxActive = box->isActiveWindow();
            arrow = QApplication::overrideCursor() &&
                    QApplication::overrideCursor()->shape() == Qt::ArrowCursor;
            // Answered by keyboard, as the user would.
            QTest::keyClick(box, Qt::Key_Return);
        });
        poll.start(10);
        QTest::mouseClick(w.find<QToolButton>("cmdPrintHonorarHTML"), Qt::LeftButton);
        QDir(output).removeRecursively();
        QVERIFY2(text.startsWith(QStringLiteral("Der Bericht")), qPrintable(text));
        QVERIFY(waitHidden);
        QVERIFY(boxActive);
        QVERIFY(arrow);
        // The report ended: the wait window is gone with its cursor.
        QVERIFY(!w.window->waitWindow().isVisible());
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(!w.run.busy);
        QVERIFY(w.desktop.opened.isEmpty());
    }

    void genericErrorText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter gets a period") << "Ungültige Gleitkommaoperation"
                                              << "Ungültige Gleitkommaoperation.";
        QTest::newRow("period stays") << "Fertig."
                                      << "Fertig.";
        QTest::newRow("closing parenthesis sorts before the period") << "(x)"
                                                                     << "(x)";
    }
    void genericErrorText()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(QtDesktop::errorText(text), shown);
    }

    // Amounts take the point as German writes them: a third digit after it
    // makes it a thousands point, where it would be refused as a decimal
    // separator. Typed and pasted alike; percentages keep the plain rule.
    void amountsWithThousandsPoints_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("paste");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("thousands") << "edKosten" << false << "450.000"
                                   << "450000" << 450000.0;
        QTest::newRow("comma after thousands") << "edZeithonorar" << false << "1.250.000,5"
                                               << "1250000,5" << 1250000.5;
        QTest::newRow("decimal point stays") << "edBesondereLeistung" << false << "450.5"
                                             << "450,5" << 450.5;
        QTest::newRow("two decimals stay") << "edBesondereLeistungZeit" << false << "450.50"
                                           << "450,50" << 450.5;
        QTest::newRow("comma takes no third digit") << "edKosten" << false << "2,345"
                                                    << "2,34" << 2.34;
        QTest::newRow("percent keeps the rule") << "edNebenkosten" << false << "1.250"
                                                << "1,25" << 1.25;
        QTest::newRow("pasted with decimals") << "edZeithonorar" << true << "1.250.000,00"
                                              << "1250000,00" << 1250000.0;
        QTest::newRow("pasted groups of four refused") << "edKosten" << true << "1.2345"
                                                       << "7" << 7.0;
    }
    void amountsWithThousandsPoints()
    {
        QFETCH(QString, name);
        QFETCH(bool, paste);
        QFETCH(QString, input);
        QFETCH(QString, text);
        QFETCH(double, value);
        Window w;
        auto *edit = w.find<NumericEdit>(qPrintable(name));
        edit->setFocus();
        edit->selectAll();
        if (paste) {
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QStringLiteral("7"),
                                Qt::NoModifier);
            edit->selectAll();
            QApplication::clipboard()->setText(input);
            edit->paste();
        } else {
            for (const QChar c : input)
                QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
        }
        QCOMPARE(edit->text(), text);
        QCOMPARE(edit->field().value(), value);
    }

    // The computed results are shown, not typed: a click gives them no
    // focus, they show no text cursor, and Tab passes them by.
    void computedFieldsTakeNoFocus_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("net") << "edNettohonorar";
        QTest::newRow("VAT") << "edMwStEUR";
        QTest::newRow("gross") << "edBruttohonorar";
    }
    void computedFieldsTakeNoFocus()
    {
        QFETCH(QString, name);
        Window w;
        QApplication::setActiveWindow(w.window.get());
        QVERIFY(QTest::qWaitForWindowActive(w.window.get()));
        auto *computed = w.find<QLineEdit>(qPrintable(name));
        auto *vat = w.find<QLineEdit>("edMwSt");
        vat->setFocus();
        QTest::mouseClick(computed, Qt::LeftButton);
        QVERIFY(!computed->hasFocus());
        QVERIFY(computed->isReadOnly());
        QCOMPARE(computed->cursor().shape(), Qt::ArrowCursor);
        vat->setFocus();
        QTest::keyClick(vat, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("edStammFirma"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), vat);
    }

    // A criterion's points are replaced by what is typed, whether the box
    // got the focus by Tab or by click; a value beyond its range becomes
    // the criterion's limit.
    void pointsAreTypedOver_data()
    {
        QTest::addColumn<bool>("click");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("points");
        QTest::newRow("by Tab") << false << "4" << 4;
        QTest::newRow("above the maximum") << true << "8" << 6;
        QTest::newRow("two digits above the maximum") << false << "12" << 6;
        QTest::newRow("below the minimum") << true << "0" << 1;
    }
    void pointsAreTypedOver()
    {
        QFETCH(bool, click);
        QFETCH(QString, keys);
        QFETCH(int, points);
        PointSystem system;
        system.reference = QStringLiteral("§ 35 Abs. 2");
        system.criteria = {{QStringLiteral("Anforderungen"), 6, 0},
                           {QStringLiteral("Gestaltung"), 6, 1}};
        system.zoneUpper = {4, 8, 12};
        WorkScope scope;
        scope.kind = QStringLiteral("Gebäude");
        scope.edition = QStringLiteral("2021");
        TfrmPunkte dialog(system, scope, {2, 3});
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        // The first criterion has the focus as the dialog opens.
        const QList<QSpinBox *> spins = dialog.findChildren<QSpinBox *>();
        QSpinBox *spin = spins[1];
        auto *edit = spin->findChild<QLineEdit *>();
        QTRY_COMPARE(spins[0]->findChild<QLineEdit *>()->selectedText(), QStringLiteral("2"));
        if (click)
            QTest::mouseClick(edit, Qt::LeftButton);
        else
            QTest::keyClick(spins[0], Qt::Key_Tab);
        QVERIFY(spin->hasFocus());
        QTRY_COMPARE(edit->selectedText(), QStringLiteral("3"));
        QTest::keyClicks(spin, keys);
        QCOMPARE(spin->value(), points);
        QCOMPARE(spin->text(), QString::number(points));
        QCOMPARE(dialog.points(), (QList<int>{2, points}));
    }

    // Where nothing opens the report, a message says where it was written
    // and what opens it; an opened report needs none.
    void reportThatNothingOpens_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("openResult");
        QTest::addColumn<QString>("openWith");
        QTest::newRow("HTML opened") << "cmdPrintHonorarHTML" << 0 << QString();
        QTest::newRow("HTML") << "cmdPrintHonorarHTML" << 31 << "einem Webbrowser";
        QTest::newRow("DOC") << "cmdPrintHonorarDOC" << 31
                             << "einem Textverarbeitungsprogramm wie LibreOffice Writer oder "
                                "Microsoft Word";
    }
    void reportThatNothingOpens()
    {
        QFETCH(QString, button);
        QFETCH(int, openResult);
        QFETCH(QString, openWith);
        Window w;
        w.desktop.openResult = openResult;
        QTest::mouseClick(w.find<QToolButton>(qPrintable(button)), Qt::LeftButton);
        QCOMPARE(w.desktop.opened.size(), 1);
        const QString file = w.desktop.opened.first();
        QVERIFY2(QFileInfo(file).isFile(), qPrintable(file));
        QStringList told;
        if (!openWith.isEmpty())
            told << QStringLiteral("Das Honorarangebot wurde als „%1“ gespeichert, konnte aber "
                                   "nicht geöffnet werden. Bitte öffnen Sie die Datei mit %2.")
                        .arg(QDir::toNativeSeparators(file), openWith);
        QCOMPARE(w.desktop.notices, told);
        QCOMPARE(w.desktop.captions, QStringList(told.size(), QStringLiteral("Zolvaric")));
        QVERIFY(w.desktop.errors.isEmpty() && w.desktop.messages.isEmpty());
        QVERIFY(!w.run.busy);
    }
};

int main(int argc, char *argv[])
{
    const IsolatedHome home;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zolvaric"));
    MainWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_app.moc"
