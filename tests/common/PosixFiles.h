#pragma once

// What some tests need of a POSIX system beneath Qt: named pipes, sockets, a
// node's own type (not that of a link's target), mode bits and the user id,
// and symbolic links as QFile::link makes them. Windows has none of these
// (QFile::link makes a shortcut there, which no file access follows): there
// `available` is false, the functions fail, and the tests that need them skip
// with ZOLVARIC_REQUIRE_POSIX.

#include <QFile>
#include <QString>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#endif

#define ZOLVARIC_REQUIRE_POSIX()                                                                   \
    if (!posixfiles::available)                                                                    \
    QSKIP("needs POSIX files and users (pipes, sockets, symbolic links, mode bits, user ids); "    \
          "Windows has none of these")

namespace posixfiles {

enum class Node { Missing, Regular, Folder, Link, Pipe, Socket, Other };

#ifdef Q_OS_UNIX

inline constexpr bool available = true;

inline bool runsAsRoot()
{
    return ::geteuid() == 0;
}

// The type of the node itself; a link is a link.
inline Node nodeAt(const QString &path)
{
    struct stat info;
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return Node::Missing;
    if (S_ISREG(info.st_mode))
        return Node::Regular;
    if (S_ISDIR(info.st_mode))
        return Node::Folder;
    if (S_ISLNK(info.st_mode))
        return Node::Link;
    if (S_ISFIFO(info.st_mode))
        return Node::Pipe;
    if (S_ISSOCK(info.st_mode))
        return Node::Socket;
    return Node::Other;
}

// The permission bits (0777) of the node itself, -1 when there is none.
inline int modeOf(const QString &path)
{
    struct stat info;
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 0777) : -1;
}

inline bool setMode(const QString &path, int mode)
{
    return ::chmod(QFile::encodeName(path).constData(), mode_t(mode)) == 0;
}

inline bool makePipe(const QString &path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

inline bool makeSocket(const QString &path)
{
    const int handle = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    if (handle < 0 || name.size() >= qsizetype(sizeof(address.sun_path)))
        return false;
    std::copy(name.begin(), name.end(), address.sun_path);
    const bool bound = ::bind(handle, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    ::close(handle);
    return bound;
}

// While it lives, no file of the process grows beyond the given size: a
// write beyond fails as on a full disk (EFBIG, the signal ignored).
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_signal = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &m_before);
        rlimit limit = m_before;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_before);
        std::signal(SIGXFSZ, m_signal);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit m_before{};
    void (*m_signal)(int) = nullptr;
};

// The name PrivateTempFolder gives its folder: the user's own.
inline QString privateFolderName()
{
    return QStringLiteral("zolvaric-") + QString::number(::geteuid());
}

#else

inline constexpr bool available = false;

class FileSizeLimit
{
public:
    explicit FileSizeLimit(unsigned long long) {}
};

inline bool runsAsRoot()
{
    return false;
}
inline Node nodeAt(const QString &)
{
    return Node::Missing;
}
inline int modeOf(const QString &)
{
    return -1;
}
inline bool setMode(const QString &, int)
{
    return false;
}
inline bool makePipe(const QString &)
{
    return false;
}
inline bool makeSocket(const QString &)
{
    return false;
}
// On Windows the folder's access list keeps others out, not its name.
inline QString privateFolderName()
{
    return QStringLiteral("Zolvaric");
}

#endif

} // namespace posixfiles
