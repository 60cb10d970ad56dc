#include "IsolatedHome.h"
#include "RecordingDesktop.h"
#include "RunTests.h"
#include "TestFiles.h"

#include "base/Paths.h"
#include "base/RegionalSettings.h"
#include "calc/CalculationSheet.h"
#include "persist/IniAccess.h"
#include "persist/MasterData.h"
#include "persist/Registry.h"
#include "persist/SettingsLocation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace zolvaric;

namespace {

const QByteArray kOfficeFile = "[Einstellungen]\r\nUseAllwaysAppDir=0\r\n"
                               "[Stammdaten]\r\nFirma=Planungsb\xFCro Sonne\r\nOrt=Bonn\r\n";

} // namespace

class SettingsTest : public QObject
{
    Q_OBJECT

    const RegionalSettings m_german = RegionalSettings::german();
    std::unique_ptr<QTemporaryDir> m_programDir;
    QString m_baseName;

    QString programDir() const { return WithBackslash(m_programDir->path()); }
    QString dataFolder() const { return DataFolder(m_baseName); }

private slots:
    // Every test starts without data folder, in a program folder of its own.
    void init()
    {
        m_programDir = std::make_unique<QTemporaryDir>();
        m_baseName = QStringLiteral("zolvaric-test-%1")
                         .arg(QString::fromLatin1(QTest::currentTestFunction()));
        QDir(dataFolder()).removeRecursively();
    }

    // The all-users application data on Windows, the user's data home here.
    void dataFolderPlace()
    {
        const QString base = dataHomeFor(qEnvironmentVariable("XDG_DATA_HOME"));
        QVERIFY(!base.isEmpty());
        QCOMPARE(DataFolder(QStringLiteral("zolvaric")).toLower(),
                 WithBackslash(
                     QDir::toNativeSeparators(base + QStringLiteral("/Quorvel-Software/zolvaric")))
                     .toLower());
    }

    void virtualStoreFolder_data()
    {
        QTest::addColumn<QString>("programFiles");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("expected");
        const QString local = QStringLiteral("C:\\Users\\anna\\AppData\\Local");
        const QString store = local + QStringLiteral("\\VirtualStore\\Program Files\\");
        QTest::newRow("below program files")
            << "C:\\Program Files"
            << "C:\\Program Files\\Quorvel\\Zolvaric\\" << store + "Quorvel\\Zolvaric\\";
        QTest::newRow("other letter case")
            << "C:\\Program Files"
            << "c:\\PROGRAM FILES\\Zolvaric\\" << store + "Zolvaric\\";
        QTest::newRow("elsewhere") << "C:\\Program Files"
                                   << "D:\\Programme\\Zolvaric\\" << QString();
        QTest::newRow("network share") << "C:\\Program Files"
                                       << "\\\\server\\apps\\Zolvaric\\" << QString();
        QTest::newRow("no such folders") << QString() << "/opt/zolvaric/" << QString();
    }
    void virtualStoreFolder()
    {
        QFETCH(QString, programFiles);
        QFETCH(QString, program);
        QFETCH(QString, expected);
        const QString local =
            programFiles.isEmpty() ? QString() : QStringLiteral("C:\\Users\\anna\\AppData\\Local");
        QCOMPARE(VirtualStoreFolder(programFiles, local, program), expected);
    }

    void firstStartWithoutAnySettings()
    {
        RecordingDesktop desktop;
        const QString settings = chooseSettingsFile(programDir(), m_baseName, desktop);
        QCOMPARE(settings, dataFolder() + QStringLiteral("Zolvaric.ini"));
        QVERIFY(QFileInfo(dataFolder()).isDir());
        QVERIFY(!QFile::exists(settings));

        CalculationSheet sheet(m_german);
        LoadStammdaten(sheet, settings);
        for (const TextField *field : sheet.masterDataFields)
            QCOMPARE(field->text(), QString());
        sheet.edStammOrt.setText(QStringLiteral("Köln"));
        QVERIFY(SaveStammdaten(sheet, settings));
        QCOMPARE(readBytes(settings),
                 QByteArray("[Stammdaten]\r\nFirma=\r\nZusatz=\r\nStrasse=\r\nPLZ=\r\n"
                            "Ort=K\xF6ln\r\nTelefon=\r\nFax=\r\nEmail=\r\nInternet=\r\n"));
        QVERIFY(desktop.messages.isEmpty());
    }

    void programFolderFileSeedsTheDataFolderOnce()
    {
        writeBytes(programDir() + QStringLiteral("Zolvaric.ini"), kOfficeFile);
        RecordingDesktop desktop;
        const QString settings = chooseSettingsFile(programDir(), m_baseName, desktop);
        QCOMPARE(settings, dataFolder() + QStringLiteral("Zolvaric.ini"));
        QCOMPARE(readBytes(settings), kOfficeFile);

        CalculationSheet sheet(m_german);
        LoadStammdaten(sheet, settings);
        QCOMPARE(sheet.edStammFirma.text(), QStringLiteral("Planungsbüro Sonne"));
        sheet.edStammFirma.setText(QStringLiteral("Planungsbüro Mond"));
        QVERIFY(SaveStammdaten(sheet, settings));
        QCOMPARE(readBytes(programDir() + QStringLiteral("Zolvaric.ini")), kOfficeFile);

        // From now on the copy counts; the program folder is not looked at again.
        writeBytes(programDir() + QStringLiteral("Zolvaric.ini"),
                   "[Stammdaten]\r\nFirma=Andere\r\n");
        const QString again = chooseSettingsFile(programDir(), m_baseName, desktop);
        LoadStammdaten(sheet, again);
        QCOMPARE(sheet.edStammFirma.text(), QStringLiteral("Planungsbüro Mond"));
        QVERIFY(readBytes(again).contains("[Einstellungen]\r\nUseAllwaysAppDir=0\r\n"));
    }

    void useAllwaysAppDir_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<bool>("programFolder");
        QTest::newRow("1") << QByteArray("1") << true;
        QTest::newRow("-1") << QByteArray("-1") << true;
        QTest::newRow("0x10") << QByteArray("0x10") << true;
        QTest::newRow("0") << QByteArray("0") << false;
        QTest::newRow("ja") << QByteArray("ja") << false;
        QTest::newRow("empty") << QByteArray("") << false;
        QTest::newRow("missing") << QByteArray() << false;
    }
    void useAllwaysAppDir()
    {
        QFETCH(QByteArray, value);
        QFETCH(bool, programFolder);
        const QString programFile = programDir() + QStringLiteral("Zolvaric.ini");
        writeBytes(programFile, value.isNull()
                                    ? QByteArray("[Einstellungen]\r\n")
                                    : "[Einstellungen]\r\nUseAllwaysAppDir=" + value + "\r\n");
        RecordingDesktop desktop;
        const QString settings = chooseSettingsFile(programDir(), m_baseName, desktop);
        QCOMPARE(settings,
                 programFolder ? programFile : dataFolder() + QStringLiteral("Zolvaric.ini"));
        // The program folder's choice creates and consults no data folder.
        QCOMPARE(QFileInfo(dataFolder()).exists(), !programFolder);
        QCOMPARE(findSettingsFile(programDir(), m_baseName), settings);
    }

    void masterDataSaveKeepsTheSettings()
    {
        const QString programFile = programDir() + QStringLiteral("Zolvaric.ini");
        writeBytes(programFile,
                   "[Einstellungen]\r\nUseAllwaysAppDir=1\r\n[Stammdaten]\r\nOrt=  Bonn  \r\n");
        RecordingDesktop desktop;
        const QString settings = chooseSettingsFile(programDir(), m_baseName, desktop);
        CalculationSheet sheet(m_german);
        LoadStammdaten(sheet, settings);
        QCOMPARE(sheet.edStammOrt.text(), QStringLiteral("Bonn")); // blanks do not survive
        QCOMPARE(sheet.edStammFirma.text(), QString());
        sheet.edStammEmail.setText(QStringLiteral("info@sonne.de"));
        QVERIFY(SaveStammdaten(sheet, settings));
        QVERIFY(ReadIniBool(settings, "Einstellungen", "UseAllwaysAppDir", false));
        QCOMPARE(ReadIniString(settings, "Stammdaten", "Email", QString()),
                 QStringLiteral("info@sonne.de"));
    }

    // The office's letter data go into the file only when set: settings
    // without them keep their bytes; payment terms keep their lines.
    void officeDataAreWrittenOnlyWhenSet()
    {
        const QString settings = programDir() + QStringLiteral("buero.ini");
        CalculationSheet sheet(m_german);
        QVERIFY(SaveStammdaten(sheet, settings));
        const QByteArray without = readBytes(settings);
        QVERIFY(!without.contains("IBAN"));
        const QString terms = QStringLiteral("14 Tage netto.\nSkonto: keines \\ C:\\Temp");
        sheet.edStammIBAN.setText(QStringLiteral("DE02 1203 0000 0000 2020 51"));
        sheet.edStammZahlungsbedingungen.setText(terms);
        QVERIFY(SaveStammdaten(sheet, settings));
        CalculationSheet again(m_german);
        LoadStammdaten(again, settings);
        QCOMPARE(again.edStammIBAN.text(), QStringLiteral("DE02 1203 0000 0000 2020 51"));
        QCOMPARE(again.edStammZahlungsbedingungen.text(), terms);
        again.edStammIBAN.setText(QString());
        again.edStammZahlungsbedingungen.setText(QString());
        QVERIFY(SaveStammdaten(again, settings));
        QCOMPARE(readBytes(settings), without);
    }

    void oversizedSettingsFileIsNeitherReadNorReplaced()
    {
        const QString settings = programDir() + QStringLiteral("Zolvaric.ini");
        writeBytes(settings, kOfficeFile);
        QFile big(settings);
        QVERIFY(big.resize(kMaxIniFileSize + 1));
        CalculationSheet sheet(m_german);
        sheet.edStammFirma.setText(QStringLiteral("vorher"));
        QVERIFY(LoadStammdaten(sheet, settings).contains(QStringLiteral("zu groß")));
        QCOMPARE(sheet.edStammFirma.text(), QString());
        RecordingDesktop desktop;
        QVERIFY(!saveStammdatenAtClose(sheet, settings, desktop));
        QCOMPARE(desktop.notices.size(), 1);
        QCOMPARE(QFileInfo(settings).size(), kMaxIniFileSize + 1);
    }

    void failedMasterDataSaveAtCloseIsSaid()
    {
        const QString settings = programDir() + QStringLiteral("Zolvaric.ini");
        writeBytes(settings, kOfficeFile);
        CalculationSheet sheet(m_german);
        sheet.edStammFirma.setText(QStringLiteral("Neu"));
        RecordingDesktop desktop;
        setWriteFaultForTests([](qint64) { return false; });
        QVERIFY(!saveStammdatenAtClose(sheet, settings, desktop));
        setWriteFaultForTests(nullptr);
        QCOMPARE(desktop.notices.size(), 1);
        QVERIFY(desktop.notices.first().startsWith(
            QStringLiteral("Die Stammdaten konnten nicht gespeichert werden: ")));
        QCOMPARE(readBytes(settings), kOfficeFile);

        QVERIFY(saveStammdatenAtClose(sheet, settings, desktop));
        QCOMPARE(desktop.notices.size(), 1);
        QCOMPARE(ReadIniString(settings, "Stammdaten", "Firma", QString()), QStringLiteral("Neu"));
    }

    void failedSeedingCopyIsReported()
    {
        writeBytes(programDir() + QStringLiteral("Zolvaric.ini"), kOfficeFile);
        // The data folder's place is taken by a file: the copy cannot succeed.
        const QString folder = dataFolder();
        writeBytes(folder.chopped(1), "im Weg");
        RecordingDesktop desktop;
        const QString settings = chooseSettingsFile(programDir(), m_baseName, desktop);
        QCOMPARE(settings, folder + QStringLiteral("Zolvaric.ini"));
        QCOMPARE(desktop.messages.size(), 2);
        QVERIFY(desktop.messages[0].startsWith(
            QStringLiteral("Beim Kopieren der Datei \"%1Zolvaric.ini\" nach \"%2Zolvaric.ini\" ist "
                           "ein Fehler aufgetreten (")
                .arg(QDir::toNativeSeparators(programDir()), folder)));
        QVERIFY(desktop.messages[0].endsWith(QStringLiteral(").")));
        QCOMPARE(
            desktop.messages[1],
            QStringLiteral("Fehler beim Kopieren von \"%1Zolvaric.ini\" nach \"%2Zolvaric.ini\"")
                .arg(QDir::toNativeSeparators(programDir()), folder));
        QFile::remove(folder.chopped(1));
    }

    void readOnlyLookupWritesNothing()
    {
        writeBytes(programDir() + QStringLiteral("Zolvaric.ini"), kOfficeFile);
        QCOMPARE(findSettingsFile(programDir(), m_baseName),
                 programDir() + QStringLiteral("Zolvaric.ini"));
        QVERIFY(!QFileInfo::exists(dataFolder()));
    }

    void registryValuesOfEveryStart()
    {
        writeStartRegistryValues(QStringLiteral("Zolvaric"));
        const QString key = QStringLiteral("\\Software\\Quorvel-Software\\Zolvaric");
        QCOMPARE(ReadRegString(RegistryRoot::CurrentUser, key, "Applikationsverzeichnis"),
                 QDir::toNativeSeparators(QCoreApplication::applicationFilePath()));
#ifndef Q_OS_WIN
        // The stand-in lives in the user's own configuration folder.
        const QString file = qEnvironmentVariable("XDG_CONFIG_HOME") +
                             QStringLiteral("/Quorvel-Software/registry.ini");
        QCOMPARE(readBytes(file).count("Version Applikation="), 1);
#endif
        // The test program carries no version information: an empty version.
        QCOMPARE(ReadRegString(RegistryRoot::CurrentUser, key, "Version Applikation"), QString());
    }
};

ZOLVARIC_TEST_RUNNER(SettingsTest)

#include "SettingsTest.moc"
