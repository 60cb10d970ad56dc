#pragma once

#include <QNetworkRequest>
#include <QString>

#include <chrono>
#include <memory>

class QNetworkAccessManager;
class QNetworkReply;

namespace zolvaric {

// What the probe and the downloads share: the way to the server and a
// blocking wait for its answer.

// A network manager on the system's proxy settings. Nothing answers its
// requests for credentials, so a server that wants them fails with 401.
std::unique_ptr<QNetworkAccessManager> newNetworkManager();

// A GET request with the agent name that follows redirects that are no less
// safe than the original address.
QNetworkRequest newRequest(const QString &address, const QString &agentName);

// Runs a local event loop until the reply has finished, aborting it when
// nothing arrived for the idle time; false when it was aborted so.
bool waitForReply(QNetworkReply &reply, std::chrono::milliseconds idleTimeout);

// The HTTP status of the reply's answer; 0 when no answer came.
int httpStatus(const QNetworkReply &reply);

// Whether a status is one of a redirect, which the reply follows.
bool isRedirectStatus(int status);

// Whether the server's answer arrived in full, whatever its status.
bool isCompleteAnswer(const QNetworkReply &reply);

} // namespace zolvaric
