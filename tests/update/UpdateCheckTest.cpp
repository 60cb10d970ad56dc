#include "LoopbackServer.h"
#include "RecordingDesktop.h"
#include "RunTests.h"

#include "app/update/UpdateAddress.h"
#include "app/update/UpdateCheck.h"
#include "base/Paths.h"
#include "base/PrivateTempFolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

using namespace zolvaric;
using namespace std::chrono_literals;

namespace {

const QString kUnreachable = QStringLiteral("Der Update-Server ist nicht erreichbar.");
const QString kLatest = QStringLiteral("Sie haben die aktuellste Version installiert.");
const QString kDownloadError =
    QStringLiteral("Fehler beim Download der Setupdatei. Wollen Sie die Datei manuell downloaden?");
const QByteArray kSetup = "SETUP-BYTES";
// The line that names the setup's SHA-256.
const QByteArray kChecksum =
    "SHA256=" + QCryptographicHash::hash(kSetup, QCryptographicHash::Sha256).toHex() + "\r\n";

QString offerText(const QString &version, const QString &name)
{
    return QStringLiteral("Es liegt ein Update der Version %1 für %2 vor. Sie können nun das "
                          "Update downloaden und installieren. Hierzu muss das Hauptprogramm "
                          "geschlossen werden. Speichern Sie ggf. vorher Ihre Daten. Wollen Sie "
                          "das Update nun downloaden und installieren?")
        .arg(version, name);
}

// The files in the temp folder and in the private one, with their folders, as
// the program names them.
QStringList tempFiles()
{
    QStringList files;
    for (const QString &folder : {TempFolder(), PrivateTempFolder()}) {
        const QDir dir(folder);
        for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
            files << QDir::toNativeSeparators(dir.filePath(name));
    }
    return files;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Records the buttons of its questions; its shell can be told to fail.
class ShellDesktop : public RecordingDesktop
{
public:
    int AskBox(const QString &text, const QString &caption, int buttonSet) override
    {
        buttons << buttonSet;
        return RecordingDesktop::AskBox(text, caption, buttonSet);
    }
    int ShellOpen(const QString &target, const QString &parameters, const QString &folder,
                  int show) override
    {
        RecordingDesktop::ShellOpen(target, parameters, folder, show);
        return openResult;
    }
    int openResult = 0;
    QList<int> buttons;
};

} // namespace

class UpdateCheckTest : public QObject
{
    Q_OBJECT

    LoopbackServer m_server;
    std::unique_ptr<ShellDesktop> m_desktop;
    int m_endCalls = 0;

    UpdateCheckContext context()
    {
        return {*m_desktop, "Zolvaric", "zolvaric", ZOLVARIC_CLI, [this] { ++m_endCalls; }, 2s};
    }
    // Offers version 2.0 at /info, with the setup at the download path.
    QString offer(const QByteArray &lines, const QByteArray &downloadPath = "/setup.deb")
    {
        m_server.script("/info", {200, "[UpdateInfos]\r\nNewVersion=2.0\r\nDownloadURL=" +
                                           m_server.url(downloadPath).toLatin1() + "\r\n" + lines});
        return m_server.url("/info");
    }
    UpdateResult accept(const QString &address, QList<int> answers)
    {
        m_desktop->answers = answers;
        UpdateOffer offer;
        return CheckForUpdate(context(), address, "1.0", false, true, offer);
    }
    int setupRequests() const
    {
        return int(std::count_if(m_server.requests.begin(), m_server.requests.end(),
                                 [](const auto &r) { return r.path != "/info"; }));
    }

private slots:
    void init()
    {
        m_desktop = std::make_unique<ShellDesktop>();
        m_endCalls = 0;
        m_server.requests.clear();
        for (const QString &path : tempFiles())
            QFile::remove(path);
    }

    void check_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QString>("version");
        const auto info = [](const QByteArray &lines) {
            return "[UpdateInfos]\r\n" + lines +
                   "\r\nWebURL=https://example.invalid/\r\nProgName=Zolvaric\r\n";
        };
        const QByteArray download = "\r\nDownloadURL=https://example.invalid/z.deb";
        const int offered = int(UpdateResult::UpdateOffered);
        const int none = int(UpdateResult::NoUpdate);
        const int unreachable = int(UpdateResult::ServerUnreachable);
        QTest::newRow("newer") << 200 << info("NewVersion=1.4.0.1" + download) << offered
                               << "1.4.0.1";
        QTest::newRow("equal") << 200 << info("NewVersion=1.4" + download) << none << "";
        QTest::newRow("older") << 200 << info("NewVersion=1.3.9" + download) << none << "";
        QTest::newRow("no version") << 200 << info(download) << none << "";
        QTest::newRow("no download") << 200 << info("NewVersion=2.0") << none << "";
        QTest::newRow("401 page") << 401 << QByteArray("<html><body>Anmeldung</body></html>")
                                  << none << "";
        QTest::newRow("404") << 404 << info("NewVersion=2.0" + download) << unreachable << "";
        QTest::newRow("500") << 500 << info("NewVersion=2.0" + download) << unreachable << "";
        const QByteArray padded = info("NewVersion=2.0" + download) + ";";
        QTest::newRow("too large")
            << 200 << padded + QByteArray(kMaxInfoFileBytes + 1 - padded.size(), 'x') << unreachable
            << "";
    }
    void check()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QString, version);
        m_server.script("/info", {status, body, "WWW-Authenticate: Basic realm=\"Z\"\r\n"});
        UpdateOffer offer{"alt", "alt", "alt"};
        QTEST(int(CheckForUpdate(context(), m_server.url("/info"), "1.4.0.0", false, true, offer)),
              "expected");
        QCOMPARE(offer.version, version);
        QCOMPARE(offer.downloadUrl,
                 version.isEmpty() ? QString() : QString("https://example.invalid/z.deb"));
        QCOMPARE(offer.webUrl, version.isEmpty() ? QString() : QString("https://example.invalid/"));
        QCOMPARE(m_desktop->questions.size(), version.isEmpty() ? 0 : 1);
        QCOMPARE(tempFiles(), QStringList());
    }

    void serverAddresses_data()
    {
        QTest::addColumn<QByteArray>("download");
        QTest::addColumn<QByteArray>("web");
        QTest::addColumn<bool>("offered");
        QTest::addColumn<QString>("webUrl");
        const QByteArray setup = m_server.url("/setup.deb").toLatin1();
        const QByteArray page = "https://example.invalid/";
        QTest::newRow("download: file")
            << QByteArray("file:///tmp/setup.deb") << page << false << "";
        QTest::newRow("download: local path")
            << QByteArray("/tmp/setup.deb") << page << false << "";
        QTest::newRow("download: javascript")
            << QByteArray("javascript:alert(1)") << page << false << "";
        QTest::newRow("download: ftp")
            << QByteArray("ftp://127.0.0.1/setup.deb") << page << false << "";
        QTest::newRow("web: file") << setup << QByteArray("file:///etc/passwd") << true << "";
        QTest::newRow("web: javascript")
            << setup << QByteArray("javascript:alert(1)") << true << "";
        QTest::newRow("web: https") << setup << page << true << QString(page);
    }
    void serverAddresses()
    {
        QFETCH(QByteArray, download);
        QFETCH(QByteArray, web);
        QFETCH(bool, offered);
        m_server.script("/info", {200, "[UpdateInfos]\r\nNewVersion=2.0\r\nDownloadURL=" +
                                           download + "\r\nWebURL=" + web + "\r\n"});
        m_desktop->answers = {Desktop::AnswerYes, Desktop::AnswerYes};
        UpdateOffer result;
        QCOMPARE(CheckForUpdate(context(), m_server.url("/info"), "1.0", false, true, result),
                 offered ? UpdateResult::UpdateOffered : UpdateResult::NoUpdate);
        QCOMPARE(result.downloadUrl, offered ? QString(download) : QString());
        QTEST(result.webUrl, "webUrl");
        // The manual download opens the offered address and nothing else.
        QCOMPARE(m_desktop->opened, offered ? QStringList{download} : QStringList());
    }

    void agentsAndFreshCopy()
    {
        UpdateOffer result;
        CheckForUpdate(context(), offer(""), "2.0", false, true, result);
        QCOMPARE(m_server.requests.size(), 2);
        QCOMPARE(m_server.requests[0].headers.value("user-agent"), QByteArray("Zolvaric"));
        QCOMPARE(m_server.requests[1].headers.value("user-agent"), QByteArray("zolvaric"));
        QCOMPARE(m_server.requests[1].headers.value("cache-control"), QByteArray("no-cache"));
    }

    void notices_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QStringList>("notices");
        QTest::addColumn<QStringList>("captions");
        const QByteArray installed = ZOLVARIC_VERSION ".0";
        const QByteArray download = "\nDownloadURL=https://example.invalid/z.deb";
        m_server.script("/same", {200, "[UpdateInfos]\nNewVersion=" + installed + download});
        m_server.script("/next",
                        {200, "[UpdateInfos]\nNewVersion=" ZOLVARIC_VERSION ".1" + download});
        const QString closed =
            QStringLiteral("http://127.0.0.1:%1/").arg(LoopbackServer::closedPort());
        QTest::newRow("nobody listening")
            << closed << QStringList{kUnreachable} << QStringList{"Zolvaric"};
        QTest::newRow("404") << m_server.url("/gone") << QStringList{kUnreachable}
                             << QStringList{"Zolvaric"};
        QTest::newRow("installed version")
            << m_server.url("/same") << QStringList{kLatest} << QStringList{"Zolvaric"};
        QTest::newRow("newer, declined")
            << m_server.url("/next") << QStringList() << QStringList{"Update verfügbar"};
    }
    void notices()
    {
        QFETCH(QString, address);
        runUpdateCheck(context(), address);
        QTEST(m_desktop->notices, "notices");
        QTEST(m_desktop->captions, "captions");
        QCOMPARE(tempFiles(), QStringList());
    }

    void question_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("quiet");
        QTest::addColumn<bool>("ask");
        QTest::addColumn<QString>("name"); // empty when not asked
        QTest::newRow("named") << QByteArray("ProgName=Zolvaric Pro") << false << true
                               << "Zolvaric Pro";
        QTest::newRow("internal name") << QByteArray() << false << true << "Zolvaric";
        QTest::newRow("quiet") << QByteArray() << true << true << "";
        QTest::newRow("not asking") << QByteArray() << false << false << "";
        QTest::newRow("quiet, not asking") << QByteArray() << true << false << "";
    }
    void question()
    {
        QFETCH(QByteArray, line);
        QFETCH(bool, quiet);
        QFETCH(bool, ask);
        QFETCH(QString, name);
        UpdateOffer result;
        QCOMPARE(CheckForUpdate(context(), offer(line), "1.0", quiet, ask, result),
                 UpdateResult::UpdateOffered);
        QCOMPARE(m_desktop->questions,
                 name.isEmpty() ? QStringList() : QStringList{offerText("2.0", name)});
        QCOMPARE(setupRequests(), 0);
        QCOMPARE(m_desktop->opened, QStringList());
        QCOMPARE(m_endCalls, 0);
    }

    void install_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("lines");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QString>("opened"); // "setup", "page" or ""
        QTest::addColumn<bool>("errorAsked");
        QTest::addColumn<int>("endCalls");
        QTest::addColumn<bool>("fetched"); // whether the setup was downloaded at all
        const QByteArray sha = QCryptographicHash::hash(kSetup, QCryptographicHash::Sha256).toHex();
        const QByteArray other = sha.left(63) + (sha.endsWith('0') ? "1" : "0");
        const QByteArray force = "ForceCloseApp=1\r\n";
        const QList<int> yes{Desktop::AnswerYes}, yesYes{Desktop::AnswerYes, Desktop::AnswerYes};
        QTest::newRow("started") << 200 << kChecksum << yes << "setup" << false << 0 << true;
        QTest::newRow("started, force close")
            << 200 << kChecksum + force << yes << "setup" << false << 1 << true;
        QTest::newRow("checksum matches")
            << 200 << "SHA256=" + sha.toUpper() << yes << "setup" << false << 0 << true;
        QTest::newRow("checksum differs")
            << 200 << "SHA256=" + other + "\r\n" + force << yes << "" << true << 0 << true;
        QTest::newRow("checksum differs, manual")
            << 200 << "SHA256=" + QByteArray(64, '0') + "\r\n" + force << yesYes << "page" << true
            << 1 << true;
        QTest::newRow("no checksum") << 200 << force << yes << "" << true << 0 << false;
        QTest::newRow("no checksum, manual")
            << 200 << QByteArray() << yesYes << "page" << true << 0 << false;
        QTest::newRow("checksum too short")
            << 200 << "SHA256=" + sha.left(63) << yes << "" << true << 0 << false;
        QTest::newRow("checksum too long")
            << 200 << "SHA256=" + sha + "0" << yes << "" << true << 0 << false;
        QTest::newRow("checksum not hex")
            << 200 << "SHA256=" + QByteArray(64, 'g') << yes << "" << true << 0 << false;
        QTest::newRow("error page") << 404 << kChecksum + force << yes << "" << true << 0 << true;
        QTest::newRow("error page, manual")
            << 404 << kChecksum << yesYes << "page" << true << 0 << true;
        QTest::newRow("error page, manual, force close")
            << 404 << kChecksum + force << yesYes << "page" << true << 1 << true;
    }
    void install()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, lines);
        QFETCH(QList<int>, answers);
        QFETCH(QString, opened);
        QFETCH(bool, errorAsked);
        m_server.script("/setup.deb", {status, kSetup});
        QCOMPARE(accept(offer(lines), answers), UpdateResult::UpdateOffered);
        QStringList questions{offerText("2.0", "Zolvaric")};
        if (errorAsked)
            questions << kDownloadError;
        QCOMPARE(m_desktop->questions, questions);
        QCOMPARE(m_desktop->buttons, QList<int>(questions.size(), Desktop::YesNoButtons));
        // The started setup alone stays.
        const QStringList left = tempFiles();
        QCOMPARE(left.size(), opened == "setup" ? 1 : 0);
        const QString page = m_server.url("/setup.deb");
        QCOMPARE(m_desktop->opened, opened.isEmpty()
                                        ? QStringList()
                                        : QStringList{opened == "page" ? page : left.first()});
        QTEST(m_endCalls, "endCalls");
        QTEST(setupRequests() > 0, "fetched");
        if (opened == "setup")
            QCOMPARE(readFile(left.first()), kSetup);
    }

    void setupFileName_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QString>("stem");
        QTest::addColumn<QString>("extension");
        QTest::newRow("AppImage") << QByteArray("ProgName=Zolv") << QByteArray("/dl/z-2.0.AppImage")
                                  << "Zolv"
                                  << ".AppImage";
        QTest::newRow("query") << QByteArray("ProgName=Zolv") << QByteArray("/dl/z.deb?key=1")
                               << "Zolv"
                               << ".deb";
        QTest::newRow("no extension")
            << QByteArray("ProgName=Zolv") << QByteArray("/dl/setup") << "Zolv"
            << "";
        QTest::newRow("internal name") << QByteArray() << QByteArray("/dl/z.exe") << "Zolvaric"
                                       << ".exe";
        QTest::newRow("folders dropped")
            << QByteArray("ProgName=../..\\x/Zolv") << QByteArray("/dl/z.exe") << "Zolv"
            << ".exe";
    }
    void setupFileName()
    {
        QFETCH(QByteArray, line);
        QFETCH(QByteArray, path);
        QFETCH(QString, stem);
        QFETCH(QString, extension);
        m_server.script(path.split('?').first(), {200, kSetup});
        accept(offer(kChecksum + line, path), {Desktop::AnswerYes});
        // In the private folder, under a name nobody can know beforehand.
        const QRegularExpression name(QRegularExpression::anchoredPattern(
            QRegularExpression::escape(PrivateTempFolder() + stem) + "-[0-9a-f]{16}" +
            QRegularExpression::escape(extension)));
        QCOMPARE(m_desktop->opened.size(), 1);
        QVERIFY2(name.match(m_desktop->opened.first()).hasMatch(),
                 qPrintable(m_desktop->opened.first()));
    }

    void setupNamesAreFresh()
    {
        m_server.script("/setup.deb", {200, kSetup});
        accept(offer(kChecksum), {Desktop::AnswerYes});
        accept(offer(kChecksum), {Desktop::AnswerYes});
        QCOMPARE(m_desktop->opened.size(), 2);
        QVERIFY(m_desktop->opened[0] != m_desktop->opened[1]);
        for (const QString &setup : m_desktop->opened)
            QCOMPARE(readFile(setup), kSetup);
    }

    void downloadsStayPrivate()
    {
        // The files there while the server is asked: the one being written.
        QStringList seen;
        m_server.onRequest = [&seen](const LoopbackServer::Request &) { seen << tempFiles(); };
        m_server.script("/setup.deb", {200, kSetup});
        accept(offer(kChecksum), {Desktop::AnswerYes});
        m_server.onRequest = nullptr;
        seen.removeDuplicates();
        QCOMPARE(seen.size(), 2); // the information file and the setup
        for (const QString &file : seen)
            QVERIFY2(file.startsWith(PrivateTempFolder()), qPrintable(file));
    }

    void addressOfTheProgram()
    {
        QVERIFY(updateAddress().endsWith(QStringLiteral("/tst_update.update")));
    }

    void setupThatDoesNotOpen()
    {
        m_desktop->openResult = 2;
        m_server.script("/setup.deb", {200, kSetup});
        accept(offer(kChecksum + "ForceCloseApp=1"), {Desktop::AnswerYes});
        QCOMPARE(m_desktop->opened.size(), 1);
        QVERIFY(!QFile::exists(m_desktop->opened.first()));
        QCOMPARE(m_endCalls, 0);
    }
};

ZOLVARIC_TEST_RUNNER(UpdateCheckTest)
#include "UpdateCheckTest.moc"
