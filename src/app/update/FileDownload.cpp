#include "FileDownload.h"

#include "NetworkAccess.h"

#include <QCryptographicHash>
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

// Receives one reply into an open file, up to a size, hashing what it writes.
class BodyWriter
{
public:
    BodyWriter(QNetworkReply &reply, QFile &file, bool requireSuccess, qint64 maxBytes)
        : m_reply(reply), m_file(file), m_requireSuccess(requireSuccess), m_maxBytes(maxBytes)
    {
    }

    void onMetaData()
    {
        const int status = httpStatus(m_reply);
        if (isRedirectStatus(status))
            return;
        // An error page is of no use where success is required. It is not
        // aborted: Qt is already ending such a reply with an error of its own.
        if (m_requireSuccess && status != 0 && !isSuccessStatus(status))
            m_failed = true;
        // A body announced too large is not worth its first byte.
        const QVariant length = m_reply.header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > m_maxBytes)
            fail();
    }

    void store()
    {
        if (m_failed) {
            // Drains an error page; an aborted reply is closed already.
            if (m_reply.isOpen())
                m_reply.readAll();
            return;
        }
        while (m_reply.bytesAvailable() > 0) {
            const QByteArray piece = m_reply.read(kPieceSize);
            if (m_written + piece.size() > m_maxBytes || m_file.write(piece) != piece.size()) {
                fail();
                return;
            }
            m_written += piece.size();
            m_hash.addData(piece);
        }
    }

    bool failed() const { return m_failed; }
    QByteArray sha256() const { return m_hash.result(); }

private:
    void fail()
    {
        m_failed = true;
        m_reply.abort();
    }

    QNetworkReply &m_reply;
    QFile &m_file;
    bool m_requireSuccess;
    qint64 m_maxBytes;
    qint64 m_written = 0;
    bool m_failed = false;
    QCryptographicHash m_hash{QCryptographicHash::Sha256};
};

} // namespace

bool DownloadToFile(const QString &address, const QString &localFile, const QString &agentName,
                    bool requireSuccess, DownloadLimits limits, QByteArray *sha256)
{
    if (localFile.isEmpty())
        return false;
    QFile file(localFile);
    // Only a file of our own making: never one put there beforehand, nor,
    // through a link, a file elsewhere.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;

    const auto manager = newNetworkManager();
    const std::unique_ptr<QNetworkReply> reply(manager->get(freshCopyRequest(address, agentName)));
    BodyWriter writer(*reply, file, requireSuccess, limits.maxBytes);
    QObject::connect(reply.get(), &QNetworkReply::metaDataChanged, reply.get(),
                     [&writer] { writer.onMetaData(); });
    QObject::connect(reply.get(), &QNetworkReply::readyRead, reply.get(),
                     [&writer] { writer.store(); });
    const bool inTime = waitForReply(*reply, limits.idleTimeout);
    writer.store();
    const bool flushed = file.flush();
    file.close();

    const bool succeeded = inTime && !writer.failed() && flushed &&
                           file.error() == QFileDevice::NoError && isCompleteAnswer(*reply) &&
                           (!requireSuccess || isSuccessStatus(httpStatus(*reply)));
    if (!succeeded)
        file.remove();
    else if (sha256)
        *sha256 = writer.sha256();
    return succeeded;
}

} // namespace zolvaric
