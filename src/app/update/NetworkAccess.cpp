#include "NetworkAccess.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QTimer>
#include <QUrl>

namespace zolvaric {

namespace {

// The desktop's proxy settings for this manager alone, leaving the
// application-wide proxy configuration as it is.
class SystemProxyFactory : public QNetworkProxyFactory
{
public:
    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery &query) override
    {
        return systemProxyForQuery(query);
    }
};

} // namespace

std::unique_ptr<QNetworkAccessManager> newNetworkManager()
{
    auto manager = std::make_unique<QNetworkAccessManager>();
    manager->setProxyFactory(new SystemProxyFactory);
    return manager;
}

QNetworkRequest newRequest(const QString &address, const QString &agentName)
{
    QNetworkRequest request(QUrl(address.trimmed()));
    request.setHeader(QNetworkRequest::UserAgentHeader, agentName);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    return request;
}

bool waitForReply(QNetworkReply &reply, std::chrono::milliseconds idleTimeout)
{
    if (reply.isFinished())
        return true;
    QEventLoop loop;
    QTimer idle;
    idle.setSingleShot(true);
    idle.setInterval(idleTimeout);
    bool timedOut = false;
    QObject::connect(&idle, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        reply.abort();
    });
    const auto restart = [&idle] { idle.start(); };
    QObject::connect(&reply, &QNetworkReply::metaDataChanged, &idle, restart);
    QObject::connect(&reply, &QNetworkReply::downloadProgress, &idle, restart);
    QObject::connect(&reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    idle.start();
    // The caller waits for the answer as for any blocking call: no clicks or
    // keys reach the windows meanwhile, painting goes on.
    if (!reply.isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    return !timedOut;
}

int httpStatus(const QNetworkReply &reply)
{
    return reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
}

bool isRedirectStatus(int status)
{
    return status >= 300 && status < 400;
}

bool isCompleteAnswer(const QNetworkReply &reply)
{
    if (httpStatus(reply) == 0)
        return false;
    switch (reply.error()) {
    case QNetworkReply::NoError:
    // Qt reports these statuses as errors, yet the server answered in full.
    case QNetworkReply::ProtocolInvalidOperationError:
    case QNetworkReply::ContentAccessDenied:
    case QNetworkReply::ContentOperationNotPermittedError:
    case QNetworkReply::ContentNotFoundError:
    case QNetworkReply::AuthenticationRequiredError:
    case QNetworkReply::ContentConflictError:
    case QNetworkReply::ContentGoneError:
    case QNetworkReply::UnknownContentError:
    case QNetworkReply::InternalServerError:
    case QNetworkReply::OperationNotImplementedError:
    case QNetworkReply::ServiceUnavailableError:
    case QNetworkReply::UnknownServerError:
        return true;
    default:
        return false;
    }
}

} // namespace zolvaric
