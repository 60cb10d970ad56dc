#include "RunTests.h"

#include "app/update/WebAddress.h"

using namespace zolvaric;

class WebAddressTest : public QObject
{
    Q_OBJECT

private slots:
    void allowed_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("checkAddress");
        QTest::addColumn<bool>("expected");
        const QString https = QStringLiteral("https://www.example.invalid/files/z.update");
        const QString http = QStringLiteral("http://127.0.0.1:8080/z.update");
        QTest::newRow("https") << "https://dl.example.invalid/z.deb" << https << true;
        QTest::newRow("https, scheme in capitals")
            << "HTTPS://dl.example.invalid/z" << https << true;
        QTest::newRow("https with blanks")
            << "  https://dl.example.invalid/z.deb " << https << true;
        QTest::newRow("https from an http check") << "https://dl.example.invalid/z" << http << true;
        QTest::newRow("http from an https check")
            << "http://dl.example.invalid/z" << https << false;
        QTest::newRow("http from an http check") << "http://127.0.0.1:8080/z.deb" << http << true;
        QTest::newRow("http from an HTTP check") << "http://127.0.0.1/z"
                                                 << "HTTP://127.0.0.1/" << true;
        QTest::newRow("no host") << "https:///z.deb" << https << false;
        QTest::newRow("file") << "file:///tmp/z.deb" << http << false;
        QTest::newRow("file with a host") << "file://localhost/tmp/z.deb" << http << false;
        QTest::newRow("local path") << "/tmp/z.deb" << http << false;
        QTest::newRow("relative path") << "z.deb" << http << false;
        QTest::newRow("javascript") << "javascript:alert(1)" << http << false;
        QTest::newRow("data") << "data:text/html,<b>x</b>" << http << false;
        QTest::newRow("ftp") << "ftp://dl.example.invalid/z.deb" << http << false;
        QTest::newRow("smb") << "smb://server/share/z.exe" << http << false;
        QTest::newRow("empty") << "" << https << false;
        QTest::newRow("invalid") << "https://dl.exa mple.invalid/z" << https << false;
    }
    void allowed()
    {
        QFETCH(QString, address);
        QFETCH(QString, checkAddress);
        QTEST(isAllowedWebAddress(address, checkAddress), "expected");
    }
};

ZOLVARIC_TEST_RUNNER(WebAddressTest)
#include "WebAddressTest.moc"
