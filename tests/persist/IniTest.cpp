#include "RunTests.h"
#include "TestFiles.h"

#include "persist/IniAccess.h"
#include "persist/IniDocument.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace zolvaric;

namespace {

QByteArray utf16(const QString &text, bool bigEndian)
{
    QByteArray bytes = bigEndian ? QByteArray("\xFE\xFF") : QByteArray("\xFF\xFE");
    for (const QChar c : text) {
        const char high = static_cast<char>(c.unicode() >> 8);
        const char low = static_cast<char>(c.unicode() & 0xFF);
        bytes += bigEndian ? QByteArray{&high, 1} + low : QByteArray{&low, 1} + high;
    }
    return bytes;
}

} // namespace

class IniTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString file(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void read_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected"); // "<default>" when the default comes back
        QTest::newRow("plain") << QByteArray("[A]\r\nk=v\r\n") << "A"
                               << "k"
                               << "v";
        QTest::newRow("names ignore case")
            << QByteArray("[projektdaten]\r\nmwst=19\r\n") << "Projektdaten"
            << "MwSt"
            << "19";
        QTest::newRow("blanks around key and value")
            << QByteArray("[A]\r\n  k  =   v w  \r\n") << "A"
            << "k"
            << "v w";
        QTest::newRow("blanks in the header") << QByteArray("  [ A ]\r\nk=v\r\n") << "A"
                                              << "k"
                                              << "v";
        QTest::newRow("double quotes removed") << QByteArray("[A]\r\nk=\"  x \"\r\n") << "A"
                                               << "k"
                                               << "  x ";
        QTest::newRow("single quotes removed") << QByteArray("[A]\r\nk='y'\r\n") << "A"
                                               << "k"
                                               << "y";
        QTest::newRow("one pair only") << QByteArray("[A]\r\nk=\"\"y\"\"\r\n") << "A"
                                       << "k"
                                       << "\"y\"";
        QTest::newRow("quotes that do not match stay") << QByteArray("[A]\r\nk=\"y'\r\n") << "A"
                                                       << "k"
                                                       << "\"y'";
        QTest::newRow("a lone quote stays") << QByteArray("[A]\r\nk=\"\r\n") << "A"
                                            << "k"
                                            << "\"";
        QTest::newRow("equals sign in the value") << QByteArray("[A]\r\nk=a=b\r\n") << "A"
                                                  << "k"
                                                  << "a=b";
        QTest::newRow("empty value means default") << QByteArray("[A]\r\nk=\r\n") << "A"
                                                   << "k"
                                                   << "<default>";
        QTest::newRow("empty quotes mean default") << QByteArray("[A]\r\nk=\"\"\r\n") << "A"
                                                   << "k"
                                                   << "<default>";
        QTest::newRow("absent key") << QByteArray("[A]\r\nj=v\r\n") << "A"
                                    << "k"
                                    << "<default>";
        QTest::newRow("absent section") << QByteArray("[B]\r\nk=v\r\n") << "A"
                                        << "k"
                                        << "<default>";
        QTest::newRow("key of another section") << QByteArray("[A]\r\nj=1\r\n[B]\r\nk=v\r\n") << "A"
                                                << "k"
                                                << "<default>";
        QTest::newRow("key before any section") << QByteArray("k=v\r\n[A]\r\n") << "A"
                                                << "k"
                                                << "<default>";
        QTest::newRow("first of two sections") << QByteArray("[A]\r\nk=1\r\n[a]\r\nk=2\r\n") << "A"
                                               << "k"
                                               << "1";
        QTest::newRow("first of two keys") << QByteArray("[A]\r\nk=1\r\nK=2\r\n") << "A"
                                           << "k"
                                           << "1";
        QTest::newRow("lone LF line ends") << QByteArray("[A]\nj=1\nk=v\n") << "A"
                                           << "k"
                                           << "v";
        QTest::newRow("lone CR line ends") << QByteArray("[A]\rj=1\rk=v") << "A"
                                           << "k"
                                           << "v";
        QTest::newRow("comment is no key") << QByteArray("[A]\r\n;k=v\r\n") << "A"
                                           << "k"
                                           << "<default>";
        QTest::newRow("Windows-1252") << QByteArray("[A]\r\nk=M\xFCller \x80\r\n") << "A"
                                      << "k"
                                      << "Müller €";
        QTest::newRow("UTF-8 with byte-order mark")
            << QByteArray("\xEF\xBB\xBF[A]\r\nk=\xC5\x81\xC3\xB3\x64\xC5\xBA\r\n") << "A"
            << "k"
            << "Łódź";
        QTest::newRow("UTF-8 without byte-order mark")
            << QByteArray("[A]\nk=K\xC3\xB6ln \xE2\x82\xAC\n") << "A"
            << "k"
            << "Köln €";
        QTest::newRow("UTF-16 LE") << utf16(QStringLiteral("[A]\r\nk=Łódź\r\n"), false) << "A"
                                   << "k"
                                   << "Łódź";
        QTest::newRow("UTF-16 BE") << utf16(QStringLiteral("[A]\r\nk=Łódź\r\n"), true) << "A"
                                   << "k"
                                   << "Łódź";
        QTest::newRow("long value is not cut")
            << QByteArray("[A]\r\nk=") + QByteArray(5000, 'x') + "\r\n"
            << "A"
            << "k" << QString(5000, QLatin1Char('x'));
    }
    void read()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        const QString path = file(QStringLiteral("read.ini"));
        writeBytes(path, contents);
        const QString value = ReadIniString(path, section, key, QStringLiteral("<default>"));
        QCOMPARE(value, expected);
    }

    void readingAMissingFileCreatesNothing()
    {
        const QString path = file(QStringLiteral("missing.ini"));
        QCOMPARE(ReadIniString(path, "A", "k", "d"), QStringLiteral("d"));
        QCOMPARE(ReadIniBool(path, "A", "k", true), true);
        QVERIFY(!QFile::exists(path));
        // A folder of that name is no file either.
        QDir().mkpath(file(QStringLiteral("folder.ini")));
        QCOMPARE(ReadIniString(file(QStringLiteral("folder.ini")), "A", "k", "d"),
                 QStringLiteral("d"));
    }

    void readBool_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("defaultValue");
        QTest::addColumn<bool>("expected");
        QTest::newRow("1") << QByteArray("UseAllwaysAppDir=1") << false << true;
        QTest::newRow("-1") << QByteArray("UseAllwaysAppDir=-1") << false << true;
        QTest::newRow("0x10") << QByteArray("UseAllwaysAppDir=0x10") << false << true;
        QTest::newRow("0X0") << QByteArray("UseAllwaysAppDir=0X0") << true << false;
        QTest::newRow("$1f") << QByteArray("UseAllwaysAppDir=$1f") << false << true;
        QTest::newRow("$FFFFFFFF is -1")
            << QByteArray("UseAllwaysAppDir=$FFFFFFFF") << false << true;
        QTest::newRow("0x80000000") << QByteArray("UseAllwaysAppDir=0x80000000") << false << true;
        QTest::newRow("$00000000") << QByteArray("UseAllwaysAppDir=$00000000") << true << false;
        QTest::newRow("beyond 32 bits")
            << QByteArray("UseAllwaysAppDir=$100000000") << false << false;
        QTest::newRow("sign after $") << QByteArray("UseAllwaysAppDir=$-1") << false << false;
        QTest::newRow("sign after 0x") << QByteArray("UseAllwaysAppDir=0x+1") << false << false;
        QTest::newRow("$0x10") << QByteArray("UseAllwaysAppDir=$0x10") << false << false;
        QTest::newRow("blank after $") << QByteArray("UseAllwaysAppDir=$ 1") << false << false;
        QTest::newRow("$ alone") << QByteArray("UseAllwaysAppDir=$") << true << true;
        QTest::newRow("0") << QByteArray("UseAllwaysAppDir=0") << true << false;
        QTest::newRow("ja") << QByteArray("UseAllwaysAppDir=ja") << false << false;
        QTest::newRow("ja, default yes") << QByteArray("UseAllwaysAppDir=ja") << true << true;
        QTest::newRow("empty") << QByteArray("UseAllwaysAppDir=") << false << false;
        QTest::newRow("missing") << QByteArray("Other=1") << false << false;
        QTest::newRow("lower-case key") << QByteArray("useallwaysappdir=1") << false << true;
    }
    void readBool()
    {
        QFETCH(QByteArray, line);
        QFETCH(bool, defaultValue);
        QFETCH(bool, expected);
        const QString path = file(QStringLiteral("bool.ini"));
        writeBytes(path, "[Einstellungen]\r\n" + line + "\r\n");
        QCOMPARE(ReadIniBool(path, "Einstellungen", "UseAllwaysAppDir", defaultValue), expected);
    }

    void write_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("replace in place") << QByteArray("[A]\r\nk=1\r\nj=2\r\n") << "A"
                                          << "k"
                                          << "3" << QByteArray("[A]\r\nk=3\r\nj=2\r\n");
        QTest::newRow("replace ignoring case") << QByteArray("[a]\r\n K = 1\r\n") << "A"
                                               << "k"
                                               << "2" << QByteArray("[a]\r\nk=2\r\n");
        QTest::newRow("unchanged value keeps its line") << QByteArray("[A]\r\nk = 1 \r\n") << "A"
                                                        << "k"
                                                        << "1" << QByteArray("[A]\r\nk = 1 \r\n");
        QTest::newRow("append at the end of the section")
            << QByteArray("[A]\r\nk=1\r\n\r\n[B]\r\nx=1\r\n") << "A"
            << "j"
            << "2" << QByteArray("[A]\r\nk=1\r\nj=2\r\n\r\n[B]\r\nx=1\r\n");
        QTest::newRow("append after a comment")
            << QByteArray("[A]\r\n; Kommentar\r\n[B]\r\n") << "A"
            << "j"
            << "2" << QByteArray("[A]\r\n; Kommentar\r\nj=2\r\n[B]\r\n");
        QTest::newRow("new section at the end")
            << QByteArray("[A]\r\nk=1\r\n") << "B"
            << "x"
            << "1" << QByteArray("[A]\r\nk=1\r\n[B]\r\nx=1\r\n");
        QTest::newRow("last line without line end") << QByteArray("[A]\r\nk=1") << "A"
                                                    << "j"
                                                    << "2" << QByteArray("[A]\r\nk=1\r\nj=2\r\n");
        QTest::newRow("empty file") << QByteArray() << "A"
                                    << "k"
                                    << "v" << QByteArray("[A]\r\nk=v\r\n");
        QTest::newRow("line ends of other lines kept")
            << QByteArray("[A]\nk=1\r[B]\r\nx=1\n") << "B"
            << "x"
            << "2" << QByteArray("[A]\nk=1\r[B]\r\nx=2\n");
        QTest::newRow("written as passed") << QByteArray("[A]\r\n") << "A"
                                           << "k"
                                           << " \"q\" " << QByteArray("[A]\r\nk= \"q\" \r\n");
        QTest::newRow("Windows-1252 stays")
            << QByteArray("[A]\r\n;\xE4\r\n") << "A"
            << "k"
            << "Müller" << QByteArray("[A]\r\n;\xE4\r\nk=M\xFCller\r\n");
        QTest::newRow("text beyond Windows-1252 makes UTF-8")
            << QByteArray("[A]\r\n;\xE4\r\n") << "A"
            << "k"
            << "Łódź"
            << QByteArray("\xEF\xBB\xBF[A]\r\n;\xC3\xA4\r\nk=\xC5\x81\xC3\xB3\x64\xC5\xBA\r\n");
        QTest::newRow("UTF-8 stays UTF-8")
            << QByteArray("\xEF\xBB\xBF[A]\r\n") << "A"
            << "k"
            << "ä" << QByteArray("\xEF\xBB\xBF[A]\r\nk=\xC3\xA4\r\n");
        QTest::newRow("UTF-8 without byte-order mark stays so")
            << QByteArray("[A]\r\n;K\xC3\xB6ln\r\n") << "A"
            << "k"
            << "Łódź" << QByteArray("[A]\r\n;K\xC3\xB6ln\r\nk=\xC5\x81\xC3\xB3\x64\xC5\xBA\r\n");
        QTest::newRow("UTF-16 becomes UTF-8 with byte-order mark")
            << utf16(QStringLiteral("[A]\r\n;Köln\r\n"), false) << "A"
            << "k"
            << "ä" << QByteArray("\xEF\xBB\xBF[A]\r\n;K\xC3\xB6ln\r\nk=\xC3\xA4\r\n");
        QTest::newRow("bytes no valid UTF-8 survive")
            << QByteArray("\xEF\xBB\xBF[A]\r\n;caf\xE9 \xFF\r\nk=1\r\n[B]\r\nx=\xC0\xAF\n") << "A"
            << "k"
            << "ä"
            << QByteArray("\xEF\xBB\xBF[A]\r\n;caf\xE9 \xFF\r\nk=\xC3\xA4\r\n[B]\r\nx=\xC0\xAF\n");
        QTest::newRow("line break becomes a blank")
            << QByteArray("[A]\r\n") << "A"
            << "k"
            << "a\r\nb\nc" << QByteArray("[A]\r\nk=a b c\r\n");
    }
    void write()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        const QString path = file(QStringLiteral("write.ini"));
        writeBytes(path, before);
        QVERIFY(WriteIniString(path, section, key, value));
        QCOMPARE(readBytes(path), after);
    }

    // Edits one after another on one document: each finds what the ones
    // before left, whatever they inserted or removed.
    void editsInARow_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<bool>("removeA"); // first of all
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("key added before blank lines")
            << QByteArray("[A]\r\nz=1\r\n\r\n[B]\r\nk=1\r\n") << false
            << QByteArray("[A]\r\nz=2\r\nneu=n\r\n\r\n[B]\r\nk=b\r\n");
        QTest::newRow("second section of a removed name")
            << QByteArray("[A]\r\nz=1\r\n[a]\r\nz=5\r\n[B]\r\nk=1\r\n") << true
            << QByteArray("[a]\r\nz=2\r\nneu=n\r\n[B]\r\nk=b\r\n");
        QTest::newRow("removed last section, its last line without end")
            << QByteArray("[B]\r\nk=0\r\n[A]\r\nz=1") << true
            << QByteArray("[B]\r\nk=b\r\n[A]\r\nneu=n\r\nz=2\r\n");
    }
    void editsInARow()
    {
        QFETCH(QByteArray, before);
        QFETCH(bool, removeA);
        QFETCH(QByteArray, after);
        IniDocument document = IniDocument::fromBytes(before);
        if (removeA)
            document.removeSection(u"A");
        document.setValue(u"A", u"neu", QStringLiteral("n"));
        document.setValue(u"A", u"z", QStringLiteral("2"));
        document.setValue(u"B", u"k", QStringLiteral("b"));
        QCOMPARE(document.value(u"a", u"Z"), std::optional<QString>(QStringLiteral("2")));
        QCOMPARE(document.value(u"b", u"K"), std::optional<QString>(QStringLiteral("b")));
        QCOMPARE(document.toBytes(), after);
    }

    void writeCreatesAMissingFileButNoFolder()
    {
        const QString path = file(QStringLiteral("new.ini"));
        QVERIFY(WriteIniString(path, "A", "k", "v"));
        QCOMPARE(readBytes(path), QByteArray("[A]\r\nk=v\r\n"));

        const QString inMissingFolder = file(QStringLiteral("nowhere/new.ini"));
        const WriteResult result = WriteIniString(inMissingFolder, "A", "k", "v");
        QVERIFY(!result);
        QVERIFY(result.error.contains(QStringLiteral("existiert nicht")));
        QVERIFY(!QFile::exists(inMissingFolder));
    }

    // An office's file with everything the program does not know survives a
    // save; only the lines of the changed keys differ.
    void foreignFileSurvivesByteForByte()
    {
        const QByteArray before = "; Zolvaric-Einstellungen, von Hand gepflegt\r\n"
                                  "[Einstellungen]\r\n"
                                  "UseAllwaysAppDir = 0\r\n"
                                  "\r\n"
                                  "[stammdaten]\r\n"
                                  "firma = \"Planungsb\xFCro M\xFCller\" \r\n"
                                  "  ort=K\xF6ln\n"
                                  "Notiz=bleibt; auch mit Semikolon\r"
                                  "\r\n"
                                  "[Eigenes]\r\n"
                                  "Farbe='blau'\r\n"
                                  "ohne Gleichheitszeichen\r\n";
        const QString path = file(QStringLiteral("office.ini"));
        writeBytes(path, before);
        QVERIFY(WriteIniStrings(
            path, "Stammdaten",
            {{"Firma", "Planungsbüro Müller GmbH"}, {"Ort", "Köln"}, {"PLZ", "50667"}}));
        const QByteArray after = "; Zolvaric-Einstellungen, von Hand gepflegt\r\n"
                                 "[Einstellungen]\r\n"
                                 "UseAllwaysAppDir = 0\r\n"
                                 "\r\n"
                                 "[stammdaten]\r\n"
                                 "Firma=Planungsb\xFCro M\xFCller GmbH\r\n"
                                 "  ort=K\xF6ln\n"
                                 "Notiz=bleibt; auch mit Semikolon\r"
                                 "PLZ=50667\r\n"
                                 "\r\n"
                                 "[Eigenes]\r\n"
                                 "Farbe='blau'\r\n"
                                 "ohne Gleichheitszeichen\r\n";
        QCOMPARE(readBytes(path), after);
        QCOMPARE(ReadIniString(path, "Eigenes", "Farbe", QString()), QStringLiteral("blau"));
    }

    void batchWriteEqualsSingleWrites()
    {
        const QByteArray start = "[B]\nx=1\n[A]\r\nk=0\r\n";
        const IniEntries entries = {{"k", "1"}, {"neu", "2"}, {"K", "3"}, {"x", "4"}};
        const QString batch = file(QStringLiteral("batch.ini"));
        const QString single = file(QStringLiteral("single.ini"));
        writeBytes(batch, start);
        writeBytes(single, start);
        QVERIFY(WriteIniStrings(batch, "A", entries));
        for (const auto &[key, value] : entries)
            QVERIFY(WriteIniString(single, "A", key, value));
        QCOMPARE(readBytes(batch), readBytes(single));
    }

    void failedWriteLeavesTheOldFile()
    {
        const QString path = file(QStringLiteral("fault.ini"));
        QByteArray big = "[Gross]\r\n";
        for (int i = 0; i < 500; ++i)
            big += "Zeile" + QByteArray::number(i) + "=" + QByteArray(20, 'x') + "\r\n";
        writeBytes(path, big);
        setWriteFaultForTests([](qint64 written) { return written < 4096; }); // fails midway
        const WriteResult result = WriteIniString(path, "A", "k", "v");
        setWriteFaultForTests(nullptr);
        QVERIFY(!result);
        QVERIFY(!result.error.isEmpty());
        QCOMPARE(readBytes(path), big);
        QCOMPARE(QDir(m_dir.path()).entryList({"fault.ini*"}, QDir::Files | QDir::Hidden),
                 QStringList{"fault.ini"}); // no half-written file left behind
    }
};

ZOLVARIC_TEST_RUNNER(IniTest)

#include "IniTest.moc"
