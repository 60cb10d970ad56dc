#include "PosixFiles.h"
#include "RunTests.h"
#include "TestFiles.h"

#include "base/Paths.h"
#include "base/PrivateTempFolder.h"
#include "base/VersionInfo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace zolvaric;

namespace {

// Sets environment variables for one test and puts them back afterwards.
class ScopedEnvironment
{
public:
    ScopedEnvironment(std::initializer_list<std::pair<const char *, QString>> values)
    {
        for (const auto &[name, value] : values) {
            m_saved.append({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
            if (value.isNull())
                qunsetenv(name);
            else
                qputenv(name, value.toLocal8Bit());
        }
    }
    ~ScopedEnvironment()
    {
        for (const Saved &saved : m_saved) {
            if (saved.wasSet)
                qputenv(saved.name, saved.value);
            else
                qunsetenv(saved.name);
        }
    }

private:
    struct Saved
    {
        const char *name;
        QByteArray value;
        bool wasSet;
    };
    QList<Saved> m_saved;
};

} // namespace

class UtilityTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void versionInfo_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("expected");
        const QString cli = QStringLiteral(ZOLVARIC_CLI);
        QTest::newRow("file version") << cli << 2 << QStringLiteral(ZOLVARIC_VERSION ".0");
        QTest::newRow("internal name") << cli << 3 << "Zolvaric";
        QTest::newRow("company") << cli << 0 << "Quorvel-Software";
        QTest::newRow("missing entry") << cli << 5 << "";
        QTest::newRow("index 10") << cli << 10 << "";
        QTest::newRow("index -1") << cli << -1 << "";
        QTest::newRow("file without version block")
            << QCoreApplication::applicationFilePath() << 2 << "";
        QTest::newRow("no file") << QStringLiteral("/gibt/es/nicht") << 2 << "";
    }
    void versionInfo()
    {
        QFETCH(QString, file);
        QFETCH(int, index);
        QFETCH(QString, expected);
        QCOMPARE(VersionInfoString(file, index), expected);
    }

    void programNames()
    {
        QCOMPARE(ProgramBaseName(), QStringLiteral("tst_base"));
        QCOMPARE(UncProgramFolder(),
                 WithBackslash(QDir::toNativeSeparators(QCoreApplication::applicationDirPath())));
    }

    void tempFolder_data()
    {
        QTest::addColumn<QString>("temp");
        QTest::addColumn<QString>("tmp");
        QTest::addColumn<QString>("expected");
        const QString a = m_dir.filePath(QStringLiteral("a"));
        const QString b = m_dir.filePath(QStringLiteral("b"));
        QTest::newRow("TEMP first") << a << b << a;
        QTest::newRow("TMP when TEMP is missing") << QString() << b << b;
        QTest::newRow("TMP when TEMP is no folder")
            << m_dir.filePath(QStringLiteral("nichts")) << b << b;
    }
    void tempFolder()
    {
        QFETCH(QString, temp);
        QFETCH(QString, tmp);
        QFETCH(QString, expected);
        QDir().mkpath(m_dir.filePath(QStringLiteral("a")));
        QDir().mkpath(m_dir.filePath(QStringLiteral("b")));
        const ScopedEnvironment environment{{"TEMP", temp}, {"TMP", tmp}};
        QCOMPARE(TempFolder(), expected);
    }

    // Without TEMP and TMP: the system's temp folder here, "C:\TEMP" on Windows.
    void systemTempFolderLast()
    {
        const ScopedEnvironment environment{
            {"TEMP", QString()}, {"TMP", QString()}, {"TMPDIR", m_dir.path()}};
#ifdef Q_OS_WIN
        QCOMPARE(TempFolder(), QStringLiteral("C:\\TEMP"));
        QVERIFY(QFileInfo(QStringLiteral("C:/TEMP")).isDir());
#else
        QCOMPARE(TempFolder(), QDir::toNativeSeparators(m_dir.path()));
#endif
    }

    void newTempFilesAreCreatedAndDistinct()
    {
        // The system temp folder: TMPDIR here, TMP then TEMP on Windows.
        const ScopedEnvironment environment{
            {"TMPDIR", m_dir.path()}, {"TMP", m_dir.path()}, {"TEMP", m_dir.path()}};
        const QString first = NewTempFileName();
        const QString second = NewTempFileName();
        QVERIFY(first != second);
        for (const QString &name : {first, second}) {
            QVERIFY(QFileInfo(name).isFile());
            QCOMPARE(QFileInfo(name).size(), 0);
            QVERIFY(QFileInfo(name).fileName().startsWith(QStringLiteral("zol")));
            QCOMPARE(QFileInfo(name).canonicalPath(), QFileInfo(m_dir.path()).canonicalFilePath());
        }
        QVERIFY(DeleteFileRetry(first));
        QVERIFY(!QFileInfo::exists(first));
        QVERIFY(!DeleteFileRetry(first)); // gone already
        QVERIFY(!DeleteFileRetry(QString()));
        QVERIFY(DeleteFileRetry(second));
    }

    // What another user may have put under the private folder's name before
    // us: a link to a folder of theirs, a folder everybody may write to, a
    // file in its place.
    void privateTempFolderIsOursAlone_data()
    {
        QTest::addColumn<QString>("planted");
        QTest::newRow("nothing") << QString();
        QTest::newRow("link to another folder") << QStringLiteral("link");
        QTest::newRow("folder open to all") << QStringLiteral("open");
        QTest::newRow("file") << QStringLiteral("file");
    }
    void privateTempFolderIsOursAlone()
    {
        QFETCH(QString, planted);
        if (planted == QLatin1String("link") || planted == QLatin1String("open"))
            ZOLVARIC_REQUIRE_POSIX();
        QTemporaryDir temp;
        const ScopedEnvironment environment{{"TEMP", temp.path()}};
        const QString ownName = temp.path() + QLatin1Char('/') + posixfiles::privateFolderName();
        const QString elsewhere = temp.path() + QStringLiteral("/elsewhere");
        QDir().mkpath(elsewhere);
        if (planted == QLatin1String("link"))
            QVERIFY(QFile::link(elsewhere, ownName));
        if (planted == QLatin1String("open")) {
            QDir().mkpath(ownName);
            QVERIFY(posixfiles::setMode(ownName, 0777));
        }
        if (planted == QLatin1String("file"))
            writeBytes(ownName, "fremd");
        const QString folder = QDir::fromNativeSeparators(PrivateTempFolder());
        QVERIFY(folder.endsWith(QLatin1Char('/')));
        const QString path = folder.chopped(1);
        QVERIFY(QFileInfo(path).isDir() && !QFileInfo(path).isSymLink());
        if (posixfiles::available)
            QCOMPARE(posixfiles::modeOf(path), 0700);
        QCOMPARE(QFileInfo(path).absolutePath(), temp.path());
        QCOMPARE(path == ownName, planted.isEmpty());
        QVERIFY(QDir(elsewhere).isEmpty());
        QCOMPARE(QDir::fromNativeSeparators(PrivateTempFolder()), folder); // the same for the run
    }
};

ZOLVARIC_TEST_RUNNER(UtilityTest)

#include "UtilityTest.moc"
