#include "LoopbackServer.h"
#include "PosixFiles.h"
#include "RunTests.h"

#include "app/update/FileDownload.h"
#include "app/update/UrlProbe.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

using namespace zolvaric;
using namespace std::chrono_literals;

namespace {

const QByteArray kAsksForCredentials = "WWW-Authenticate: Basic realm=\"Zolvaric\"\r\n";
constexpr qint64 kLimit = 3000;
// Room for every body below that is not about the size limit.
const DownloadLimits kRoomy{1024 * 1024};

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class TransferTest : public QObject
{
    Q_OBJECT

    LoopbackServer m_server;
    QTemporaryDir m_dir;

    QString target() const { return m_dir.filePath(QStringLiteral("target.bin")); }

private slots:
    void init() { QFile::remove(target()); }

    void probe_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("headers");
        QTest::addColumn<bool>("expected");
        QTest::newRow("200") << 200 << QByteArray() << true;
        QTest::newRow("401 asking for credentials") << 401 << kAsksForCredentials << true;
        QTest::newRow("403") << 403 << QByteArray() << false;
        QTest::newRow("404") << 404 << QByteArray() << false;
        QTest::newRow("500") << 500 << QByteArray() << false;
        QTest::newRow("204") << 204 << QByteArray() << false;
        QTest::newRow("redirect to a 200")
            << 302 << QByteArray("Location: /probe-target\r\n") << true;
    }
    void probe()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, headers);
        m_server.script("/probe-target", {200, "ok"});
        m_server.script("/probe", {status, "<html>Seite</html>", headers});
        m_server.requests.clear();
        QTEST(ProbeUrl(m_server.url("/probe"), QStringLiteral("Zolvaric"), 5s), "expected");
        QCOMPARE(m_server.requests.first().headers.value("user-agent"), QByteArray("Zolvaric"));
    }

    void probeWithoutServer()
    {
        const QString address =
            QStringLiteral("http://127.0.0.1:%1/").arg(LoopbackServer::closedPort());
        QVERIFY(!ProbeUrl(address, QStringLiteral("Zolvaric"), 5s));
    }

    void probeGivesUpOnASilentServer()
    {
        m_server.script("/silent", {200, {}, {}, true});
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!ProbeUrl(m_server.url("/silent"), QStringLiteral("Zolvaric"), 300ms));
        QVERIFY(clock.elapsed() < 3000);
    }

    void download_data()
    {
        QByteArray binary(100 * 1024 + 17, '\x7f');
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32 *>(binary.data()),
                                      binary.size() / 4);
        binary[0] = '\0';
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("requireSuccess");
        QTest::addColumn<bool>("expected");
        QTest::newRow("binary body of many pieces") << 200 << binary << true << true;
        QTest::newRow("empty body") << 200 << QByteArray() << true << true;
        QTest::newRow("error page stored")
            << 404 << QByteArray("<html>weg</html>") << false << true;
        QTest::newRow("server error stored") << 500 << QByteArray("Fehler") << false << true;
        QTest::newRow("error page refused")
            << 404 << QByteArray("<html>weg</html>") << true << false;
        QTest::newRow("server error refused") << 500 << QByteArray("Fehler") << true << false;
    }
    void download()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(bool, requireSuccess);
        QFETCH(bool, expected);
        m_server.script("/file", {status, body});
        QByteArray sha256;
        QCOMPARE(DownloadToFile(m_server.url("/file"), target(), "zolvaric", requireSuccess, kRoomy,
                                &sha256),
                 expected);
        if (expected) {
            QCOMPARE(readFile(target()), body);
            QCOMPARE(sha256, QCryptographicHash::hash(body, QCryptographicHash::Sha256));
        } else {
            QVERIFY(!QFile::exists(target()));
        }
    }

    void sizeLimit_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QByteArray>("headers");
        QTest::addColumn<bool>("expected");
        // Chunked bodies let the announced length differ from the body's own,
        // or be missing, so that either check alone decides.
        const auto chunked = [](qint64 size) {
            return QByteArray::number(size, 16) + "\r\n" + QByteArray(size, 'x') + "\r\n0\r\n\r\n";
        };
        const QByteArray unannounced = "Transfer-Encoding: chunked\r\n";
        const auto announced = [&](qint64 size) {
            return unannounced + "Content-Length: " + QByteArray::number(size) + "\r\n";
        };
        QTest::newRow("at the limit") << QByteArray(kLimit, 'x') << QByteArray() << true;
        QTest::newRow("one byte beyond") << QByteArray(kLimit + 1, 'x') << QByteArray() << false;
        QTest::newRow("at the limit, unannounced") << chunked(kLimit) << unannounced << true;
        QTest::newRow("one byte beyond, unannounced")
            << chunked(kLimit + 1) << unannounced << false;
        QTest::newRow("far beyond, unannounced") << chunked(40 * kLimit) << unannounced << false;
        QTest::newRow("short body announced within") << chunked(10) << announced(10) << true;
        QTest::newRow("short body announced beyond")
            << chunked(10) << announced(kLimit + 1) << false;
    }
    void sizeLimit()
    {
        QFETCH(QByteArray, body);
        QFETCH(QByteArray, headers);
        QFETCH(bool, expected);
        m_server.script("/big", {200, body, headers});
        QTEST(DownloadToFile(m_server.url("/big"), target(), "zolvaric", true, {kLimit}),
              "expected");
        QCOMPARE(QFile::exists(target()), expected);
    }

    void downloadAsksForAFreshCopy()
    {
        m_server.script("/new", {200, "neu"});
        m_server.requests.clear();
        QVERIFY(DownloadToFile(m_server.url("/new"), target(), "zolvaric", true, kRoomy));
        QCOMPARE(readFile(target()), QByteArray("neu"));
        QCOMPARE(m_server.requests.first().headers.value("cache-control"), QByteArray("no-cache"));
        QCOMPARE(m_server.requests.first().headers.value("user-agent"), QByteArray("zolvaric"));
    }

    void downloadLeavesWhatIsThere_data()
    {
        QTest::addColumn<bool>("link");   // the target path is a link to another file
        QTest::addColumn<bool>("filled"); // the file there has content
        QTest::newRow("a file") << false << true;
        QTest::newRow("a link to a file") << true << true;
        QTest::newRow("a link to nothing") << true << false;
    }
    void downloadLeavesWhatIsThere()
    {
        QFETCH(bool, link);
        QFETCH(bool, filled);
        if (link) {
            ZOLVARIC_REQUIRE_POSIX();
        }
        const QString elsewhere = m_dir.filePath(QStringLiteral("elsewhere.bin"));
        QFile::remove(elsewhere);
        const QString there = link ? elsewhere : target();
        QFile planted(there);
        if (filled)
            QVERIFY(planted.open(QIODevice::WriteOnly) && planted.write("alt") == 3);
        planted.close();
        if (link)
            QVERIFY(QFile::link(elsewhere, target()));
        m_server.script("/new", {200, "neu"});
        QVERIFY(!DownloadToFile(m_server.url("/new"), target(), "zolvaric", true, kRoomy));
        QCOMPARE(QFileInfo(target()).isSymLink(), link);
        QCOMPARE(readFile(there), filled ? QByteArray("alt") : QByteArray("<missing>"));
    }

    void downloadFollowsARedirect()
    {
        m_server.script("/old", {301, {}, "Location: /moved\r\n"});
        m_server.script("/moved", {200, "umgezogen"});
        QVERIFY(DownloadToFile(m_server.url("/old"), target(), "zolvaric", true, kRoomy));
        QCOMPARE(readFile(target()), QByteArray("umgezogen"));
    }

    void downloadFails_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("requireSuccess");
        const QString cut = m_server.url("/cut");
        const QString closed =
            QStringLiteral("http://127.0.0.1:%1/").arg(LoopbackServer::closedPort());
        QTest::newRow("cut off") << cut << false;
        QTest::newRow("cut off, success required") << cut << true;
        QTest::newRow("nobody listening") << closed << false;
        QTest::newRow("silent server") << m_server.url("/silent") << false;
    }
    void downloadFails()
    {
        QFETCH(QString, address);
        QFETCH(bool, requireSuccess);
        m_server.script("/cut", {200, QByteArray(5000, 'x'), {}, false, 1500});
        m_server.script("/silent", {200, {}, {}, true});
        QVERIFY(!DownloadToFile(address, target(), "zolvaric", requireSuccess,
                                {kRoomy.maxBytes, 300ms}));
        QVERIFY(!QFile::exists(target()));
    }

    void downloadToAnUnwritablePlace_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("missing folder") << m_dir.filePath(QStringLiteral("nicht/da.bin"));
        QTest::newRow("a folder") << m_dir.path();
        QTest::newRow("no name") << QString();
    }
    void downloadToAnUnwritablePlace()
    {
        QFETCH(QString, path);
        m_server.script("/file", {200, "inhalt"});
        QVERIFY(!DownloadToFile(m_server.url("/file"), path, "zolvaric", false, kRoomy));
    }
};

ZOLVARIC_TEST_RUNNER(TransferTest)
#include "TransferTest.moc"
