#pragma once

#include <QDir>
#include <QTemporaryDir>

// Points HOME, the XDG folders and the temp folder at a temporary folder, so
// that tests never touch the real user's files. Create it before anything
// asks Qt for a standard path.
class IsolatedHome
{
public:
    IsolatedHome()
    {
        qputenv("HOME", m_dir.path().toLocal8Bit());
        qputenv("XDG_DATA_HOME", m_dir.filePath(QStringLiteral("data")).toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral("config")).toLocal8Bit());
        qputenv("TEMP", m_dir.path().toLocal8Bit());
        qputenv("TMP", m_dir.path().toLocal8Bit());
        qputenv("TMPDIR", m_dir.path().toLocal8Bit());
    }

    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

// The folder below which the programs keep the office's data folder
// ("…/Quorvel-Software/<program>"): the data home a test gives them, or on
// Windows the all-users application data, which no environment variable
// redirects. With forward slashes.
inline QString dataHomeFor(const QString &xdgDataHome)
{
#ifdef Q_OS_WIN
    Q_UNUSED(xdgDataHome);
    return QDir::fromNativeSeparators(qEnvironmentVariable("ProgramData"));
#else
    return xdgDataHome;
#endif
}
