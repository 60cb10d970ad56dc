#include "WebAddress.h"

#include <QUrl>

namespace zolvaric {

namespace {

const QString kHttps = QStringLiteral("https");
const QString kHttp = QStringLiteral("http");

} // namespace

bool isAllowedWebAddress(const QString &address, const QString &checkAddress)
{
    const QUrl url(address.trimmed(), QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty())
        return false;
    // QUrl keeps schemes in lower case.
    if (url.scheme() == kHttps)
        return true;
    return url.scheme() == kHttp && QUrl(checkAddress.trimmed()).scheme() == kHttp;
}

} // namespace zolvaric
