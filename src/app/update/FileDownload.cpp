#include "FileDownload.h"

#include "NetworkAccess.h"

#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>

namespace zolvaric {

namespace {

constexpr qint64 kPieceSize = 1024;

bool isSuccessStatus(int status)
{
    return status >= 200 && status < 300;
}

QNetworkRequest freshCopyRequest(const QString &address, const QString &agentName)
{
    QNetworkRequest request = newRequest(address, agentName);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    // Proxies and the server's own caches must not answer with an old copy.
    request.setRawHeader("Cache-Control", "no-cache");
    request.setRawHeader("Pragma", "no-cache");
    return request;
}

// Receives one reply into an open file.
class BodyWriter
{
public:
    BodyWriter(QNetworkReply &reply, QFile &file, bool requireSuccess)
        : m_reply(reply), m_file(file), m_requireSuccess(requireSuccess)
    {
    }

    void onMetaData()
    {
        const int status = httpStatus(m_reply);
        // An error page is of no use where success is required. It is not
        // aborted: Qt is already ending such a reply with an error of its own.
        if (m_requireSuccess && status != 0 && !isRedirectStatus(status) &&
            !isSuccessStatus(status))
            m_failed = true;
    }

    void store()
    {
        if (m_failed) {
            m_reply.readAll();
            return;
        }
        while (m_reply.bytesAvailable() > 0) {
            const QByteArray piece = m_reply.read(kPieceSize);
            if (m_file.write(piece) != piece.size()) {
                m_failed = true;
                m_reply.abort();
                return;
            }
        }
    }

    bool failed() const { return m_failed; }

private:
    QNetworkReply &m_reply;
    QFile &m_file;
    bool m_requireSuccess;
    bool m_failed = false;
};

} // namespace

bool DownloadToFile(const QString &address, const QString &localFile, const QString &agentName,
                    bool requireSuccess, std::chrono::milliseconds idleTimeout)
{
    if (localFile.isEmpty())
        return false;
    QFile file(localFile);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;

    const auto manager = newNetworkManager();
    const std::unique_ptr<QNetworkReply> reply(manager->get(freshCopyRequest(address, agentName)));
    BodyWriter writer(*reply, file, requireSuccess);
    QObject::connect(reply.get(), &QNetworkReply::metaDataChanged, reply.get(),
                     [&writer] { writer.onMetaData(); });
    QObject::connect(reply.get(), &QNetworkReply::readyRead, reply.get(),
                     [&writer] { writer.store(); });
    const bool inTime = waitForReply(*reply, idleTimeout);
    writer.store();
    const bool flushed = file.flush();
    file.close();

    const bool succeeded = inTime && !writer.failed() && flushed &&
                           file.error() == QFileDevice::NoError && isCompleteAnswer(*reply) &&
                           (!requireSuccess || isSuccessStatus(httpStatus(*reply)));
    if (!succeeded)
        file.remove();
    return succeeded;
}

} // namespace zolvaric
