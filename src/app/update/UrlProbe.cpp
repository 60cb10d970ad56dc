#include "UrlProbe.h"

#include "NetworkAccess.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>

namespace zolvaric {

bool ProbeUrl(const QString &address, const QString &agentName, std::chrono::milliseconds timeout)
{
    const auto manager = newNetworkManager();
    const std::unique_ptr<QNetworkReply> reply(manager->get(newRequest(address, agentName)));
    // A success is all the probe wants to know; its body is not waited for.
    // Error answers are not cut short, Qt is already ending them itself.
    bool succeeded = false;
    QObject::connect(reply.get(), &QNetworkReply::metaDataChanged, reply.get(), [&] {
        if (httpStatus(*reply) == 200) {
            succeeded = true;
            reply->abort();
        }
    });
    waitForReply(*reply, timeout);
    const int status = succeeded ? 200 : httpStatus(*reply);
    return status == 200 || status == 401;
}

} // namespace zolvaric
