#pragma once

#include <QHash>
#include <QList>
#include <QMap>
#include <QTcpServer>

#include <functional>

// A small HTTP server on 127.0.0.1 that answers each path from a script and
// records the requests. It runs in the test's thread: the blocking client's
// local event loop serves it.
class LoopbackServer : public QObject
{
public:
    struct Answer
    {
        Answer(int code = 200, const QByteArray &content = {}, const QByteArray &headers = {},
               bool hangs = false, qsizetype cutOff = -1)
            : status(code), body(content), extraHeaders(headers), silent(hangs), cutAfter(cutOff)
        {
        }
        int status;
        QByteArray body;
        QByteArray extraHeaders; // complete lines, each ending in CRLF; with a Content-Length
                                 // or Transfer-Encoding among them the body's own length
                                 // is not sent
        bool silent;             // takes the request and never answers
        qsizetype cutAfter;      // closes after this many body bytes
    };
    struct Request
    {
        QByteArray path;
        QMap<QByteArray, QByteArray> headers; // names in lower case
    };

    LoopbackServer();

    QString url(const QByteArray &path) const;
    void script(const QByteArray &path, const Answer &answer) { m_answers[path] = answer; }
    QList<Request> requests;
    // Called with each request as it arrives, before it is answered.
    std::function<void(const Request &)> onRequest;

    // A port on which nothing listens.
    static quint16 closedPort();

private:
    void serve(class QTcpSocket *socket);

    QTcpServer m_server;
    QHash<QByteArray, Answer> m_answers;
};
