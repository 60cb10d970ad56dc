#include "PosixFiles.h"
#include "RunTests.h"
#include "TestFiles.h"

#include "persist/AtomicWrite.h"

#include <QTemporaryDir>

using namespace zolvaric;

namespace {

// A piece of text of the given length, different for each seed.
QByteArray content(qsizetype size, char seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = static_cast<char>('a' + (seed + i * 7) % 26);
    return bytes;
}

} // namespace

class FileWriteTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void cleanup() { setWriteFaultsForTests({}); }

    // A file in a folder without write access is written in place; no fault
    // may leave it with anything but its old or its new bytes.
    void inPlaceWriteKeepsTheOldBytesOnEveryFailure_data()
    {
        QTest::addColumn<qsizetype>("oldSize");
        QTest::addColumn<qsizetype>("newSize");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("saved");
        const QString none;
        QTest::newRow("grows") << qsizetype(5000) << qsizetype(13000) << none << true;
        QTest::newRow("shrinks") << qsizetype(13000) << qsizetype(5000) << none << true;
        QTest::newRow("grows onto a full disk")
            << qsizetype(5000) << qsizetype(13000) << QStringLiteral("full") << false;
        QTest::newRow("grows, disk full after the growth")
            << qsizetype(5000) << qsizetype(13000) << QStringLiteral("full later") << false;
        QTest::newRow("grows, short write")
            << qsizetype(5000) << qsizetype(13000) << QStringLiteral("short") << false;
        QTest::newRow("shrinks, short write")
            << qsizetype(13000) << qsizetype(5000) << QStringLiteral("short") << false;
        QTest::newRow("grows, failed flush")
            << qsizetype(5000) << qsizetype(13000) << QStringLiteral("flush") << false;
        QTest::newRow("shrinks, failed flush")
            << qsizetype(13000) << qsizetype(5000) << QStringLiteral("flush") << false;
    }
    void inPlaceWriteKeepsTheOldBytesOnEveryFailure()
    {
        QFETCH(qsizetype, oldSize);
        QFETCH(qsizetype, newSize);
        QFETCH(QString, fault);
        QFETCH(bool, saved);
        const QString file = path(QStringLiteral("inplace-%1.prj").arg(QTest::currentDataTag()));
        const QByteArray old = content(oldSize, 1);
        const QByteArray next = content(newSize, 2);
        writeBytes(file, old);

        WriteFaults faults;
        faults.noFileBeside = true;
        faults.failFlush = fault == QLatin1String("flush");
        const qint64 growth = std::max<qint64>(0, newSize - oldSize);
        if (fault == QLatin1String("full"))
            faults.room = [](qint64 written, qint64 length) { return written < 4096 ? length : 0; };
        if (fault == QLatin1String("full later"))
            faults.room = [growth](qint64 written, qint64 length) {
                return written < growth + 100 ? length : 0;
            };
        if (fault == QLatin1String("short"))
            faults.room = [growth](qint64 written, qint64 length) {
                return written < growth + 4096 ? length : length / 2;
            };
        setWriteFaultsForTests(faults);
        const WriteResult result = writeFileAtomically(file, next);
        setWriteFaultsForTests({});

        QCOMPARE(bool(result), saved);
        QCOMPARE(readBytes(file), saved ? next : old);
        QCOMPARE(result.error.isEmpty(), saved);
        QVERIFY2(!result.error.contains(QStringLiteral("wiederhergestellt")),
                 qPrintable(result.error));
    }

    void fileToCreateInAFolderWithoutRoomFails()
    {
        WriteFaults faults;
        faults.noFileBeside = true;
        setWriteFaultsForTests(faults);
        const QString file = path(QStringLiteral("neu.prj"));
        const WriteResult result = writeFileAtomically(file, "x");
        QVERIFY(!result);
        QVERIFY(!result.error.isEmpty());
        QVERIFY(!QFileInfo::exists(file));
    }

    // A limit of the system (a full disk, a quota, here a limit of the file
    // size) fails the write that meets it, in a new file beside the target
    // or in place, with the system's reason in German; the target keeps
    // its old bytes or stays absent.
    void systemLimitFailsTheWrite_data()
    {
        QTest::addColumn<qsizetype>("oldSize");
        QTest::addColumn<bool>("inPlace");
        QTest::newRow("new file") << qsizetype(-1) << false;
        QTest::newRow("replaced file") << qsizetype(3000) << false;
        QTest::newRow("in place") << qsizetype(3000) << true;
    }
    void systemLimitFailsTheWrite()
    {
        QFETCH(qsizetype, oldSize);
        QFETCH(bool, inPlace);
        ZOLVARIC_REQUIRE_POSIX();
        const QString file = path(QStringLiteral("grenze.prj"));
        QFile::remove(file);
        const QByteArray old = content(std::max<qsizetype>(oldSize, 0), 1);
        if (oldSize >= 0)
            writeBytes(file, old);
        WriteFaults faults;
        faults.noFileBeside = inPlace;
        setWriteFaultsForTests(faults);
        WriteResult result;
        {
            const posixfiles::FileSizeLimit limit(5000);
            result = writeFileAtomically(file, content(9000, 2));
        }
        QVERIFY(!result);
        QVERIFY2(result.error.startsWith(QStringLiteral("Die Datei ist zu groß.")),
                 qPrintable(result.error));
        QCOMPARE(QFileInfo::exists(file), oldSize >= 0);
        if (oldSize >= 0)
            QCOMPARE(readBytes(file), old);
    }

    // A pipe, a socket or a device stays what it is; standard output is the
    // way to pipe a report.
    void targetsThatAreNoRegularFileAreRefused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("pipe") << QStringLiteral("fifo");
        QTest::newRow("socket") << QStringLiteral("socket");
        QTest::newRow("link to a pipe") << QStringLiteral("link");
    }
    void targetsThatAreNoRegularFileAreRefused()
    {
        QFETCH(QString, kind);
        ZOLVARIC_REQUIRE_POSIX();
        const QString node = path(QStringLiteral("knoten-") + kind);
        const QString target = kind == QLatin1String("link") ? node + QStringLiteral(".lnk") : node;
        if (kind == QLatin1String("socket"))
            QVERIFY(posixfiles::makeSocket(node));
        else
            QVERIFY(posixfiles::makePipe(node));
        if (kind == QLatin1String("link"))
            QVERIFY(QFile::link(node, target));

        const WriteResult result = writeFileAtomically(target, "[Projektdaten]\r\n");
        QVERIFY(!result);
        QVERIFY2(result.error.contains(QStringLiteral("keine gewöhnliche Datei")),
                 qPrintable(result.error));
        QCOMPARE(posixfiles::nodeAt(node), kind == QLatin1String("socket")
                                               ? posixfiles::Node::Socket
                                               : posixfiles::Node::Pipe);
    }

    void linksAreFollowedOnlyWhereAllowed_data()
    {
        QTest::addColumn<bool>("follow");
        QTest::newRow("followed") << true;
        QTest::newRow("refused") << false;
    }
    void linksAreFollowedOnlyWhereAllowed()
    {
        QFETCH(bool, follow);
        ZOLVARIC_REQUIRE_POSIX();
        const QString victim = path(QStringLiteral("ziel-%1.txt").arg(follow));
        const QString link = path(QStringLiteral("link-%1.htm").arg(follow));
        writeBytes(victim, "alt");
        QVERIFY(QFile::link(victim, link));
        const WriteResult result =
            writeFileAtomically(link, "neu", follow ? LinkPolicy::Follow : LinkPolicy::Refuse);
        QCOMPARE(bool(result), follow);
        QCOMPARE(readBytes(victim), follow ? QByteArray("neu") : QByteArray("alt"));
        QVERIFY(QFileInfo(link).isSymLink());
    }
};

ZOLVARIC_TEST_RUNNER(FileWriteTest)

#include "FileWriteTest.moc"
