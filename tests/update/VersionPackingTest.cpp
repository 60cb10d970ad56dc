#include "RunTests.h"

#include "app/update/VersionPacking.h"

using namespace zolvaric;

namespace {

quint64 fields(quint64 a, quint64 b, quint64 c, quint64 d)
{
    return a << 48 | b << 32 | c << 16 | d;
}

} // namespace

class VersionPackingTest : public QObject
{
    Q_OBJECT

private slots:
    void pack_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<quint64>("expected");
        QTest::newRow("four numbers") << "1.4.0.2" << fields(1, 4, 0, 2);
        QTest::newRow("missing numbers are 0") << "1.4" << fields(1, 4, 0, 0);
        QTest::newRow("empty") << "" << quint64(0);
        QTest::newRow("a fifth number is ignored") << "1.2.3.4.5" << fields(1, 2, 3, 4);
        QTest::newRow("blanks before numbers") << " 1.\t2. 3" << fields(1, 2, 3, 0);
        QTest::newRow("a blank ends a number") << "1 .4" << fields(1, 0, 4, 0);
        QTest::newRow("trailing blank") << "2.0 " << fields(2, 0, 0, 0);
        QTest::newRow("other separators") << "1-2/3" << fields(1, 2, 3, 0);
        QTest::newRow("a leading letter counts 0") << "v1.2" << fields(0, 1, 2, 0);
        QTest::newRow("empty field") << "1..2" << fields(1, 0, 2, 0);
        QTest::newRow("letters after a number") << "1.2a.3" << fields(1, 2, 0, 3);
        QTest::newRow("only four fields consumed") << "1.2beta" << fields(1, 2, 0, 0);
        QTest::newRow("plus sign") << "+2.+3" << fields(2, 3, 0, 0);
        QTest::newRow("sign without digits") << "+.5" << fields(0, 5, 0, 0);
        QTest::newRow("negative numbers keep 16 bits") << "-1.-2" << fields(0xFFFF, 0xFFFE, 0, 0);
        QTest::newRow("highest field value") << "65535.65535" << fields(0xFFFF, 0xFFFF, 0, 0);
        QTest::newRow("65536 wraps to 0") << "65536.65537" << fields(0, 1, 0, 0);
        QTest::newRow("long numbers keep their low bits") << "1.4294967298" << fields(1, 2, 0, 0);
    }
    void pack()
    {
        QFETCH(QString, text);
        QFETCH(quint64, expected);
        QCOMPARE(PackVersion(text), expected);
    }

    void newer_data()
    {
        QTest::addColumn<QString>("offered");
        QTest::addColumn<QString>("installed");
        QTest::addColumn<bool>("expected");
        QTest::newRow("short form is equal") << "1.4"
                                             << "1.4.0.0" << false;
        QTest::newRow("last field") << "1.4.0.1"
                                    << "1.4.0.0" << true;
        QTest::newRow("last field older") << "1.4.0.0"
                                          << "1.4.0.1" << false;
        QTest::newRow("numbers, not text") << "1.10"
                                           << "1.9" << true;
        QTest::newRow("first field outweighs the rest") << "2.0"
                                                        << "1.99.99.99" << true;
        QTest::newRow("nothing installed") << "0.0.0.1"
                                           << "" << true;
        QTest::newRow("nothing offered") << ""
                                         << "0.0.0.0" << false;
        QTest::newRow("highest positive first field") << "32767.0"
                                                      << "1.0" << true;
        QTest::newRow("sign bit set sorts low") << "32768.0"
                                                << "1.0" << false;
        QTest::newRow("negative sorts low") << "-1.0"
                                            << "1.0" << false;
    }
    void newer()
    {
        QFETCH(QString, offered);
        QFETCH(QString, installed);
        QFETCH(bool, expected);
        QCOMPARE(IsNewerVersion(offered, installed), expected);
    }
};

ZOLVARIC_TEST_RUNNER(VersionPackingTest)
#include "VersionPackingTest.moc"
