#include "RunTests.h"

#include "base/Cp1252.h"
#include "base/Paths.h"

#include <QDir>

using namespace zolvaric;

class EncodingTest : public QObject
{
    Q_OBJECT

private slots:
    void decodesWindows1252_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("umlauts") << QByteArray("Geb\xE4ude \xDF\xFC")
                                 << QStringLiteral("Gebäude ßü");
        QTest::newRow("euro") << QByteArray("\x80") << QStringLiteral("€");
        QTest::newRow("quotes and dash") << QByteArray("\x84x\x93 \x96") << QStringLiteral("„x“ –");
        QTest::newRow("unassigned byte") << QByteArray("\x81") << QString(QChar(0x81));
        QTest::newRow("UTF-8 with byte-order mark")
            << QByteArray("\xEF\xBB\xBFGeb\xC3\xA4ude") << QStringLiteral("Gebäude");
    }
    void decodesWindows1252()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(decodeTextFile(bytes), text);
    }

    void everyByteSurvivesTheRoundTrip()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(static_cast<char>(b));
        QCOMPARE(encodeCp1252(decodeCp1252(all)), all);
    }

    void unmappableCharactersBecomeQuestionMarks()
    {
        QCOMPARE(encodeCp1252(QStringLiteral("a\u0394b€")), QByteArray("a?b\x80"));
    }

    void withBackslash_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        const QString sep = QDir::separator();
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("plain") << "/opt/zolvaric"
                               << "/opt/zolvaric" + sep;
        QTest::newRow("already ends in one") << "/opt/zolvaric" + sep << "/opt/zolvaric" + sep;
    }
    void withBackslash()
    {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        QCOMPARE(WithBackslash(path), expected);
    }
};

ZOLVARIC_TEST_RUNNER(EncodingTest)

#include "EncodingTest.moc"
