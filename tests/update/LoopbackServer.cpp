#include "LoopbackServer.h"

#include <QTcpSocket>

#ifdef Q_OS_UNIX
#include <csignal>
#endif

LoopbackServer::LoopbackServer()
{
    m_server.listen(QHostAddress::LocalHost);
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

QString LoopbackServer::url(const QByteArray &path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2")
        .arg(m_server.serverPort())
        .arg(QString::fromLatin1(path));
}

quint16 LoopbackServer::closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

void LoopbackServer::serve(QTcpSocket *socket)
{
    const QByteArray received = socket->property("received").toByteArray() + socket->readAll();
    socket->setProperty("received", received);
    const qsizetype headerEnd = received.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return;
    const QList<QByteArray> lines = received.left(headerEnd).split('\n');
    Request request{lines.first().split(' ').value(1), {}};
    for (const QByteArray &line : lines.mid(1)) {
        const qsizetype colon = line.indexOf(':');
        request.headers.insert(line.left(colon).trimmed().toLower(), line.mid(colon + 1).trimmed());
    }
    requests << request;
    if (onRequest)
        onRequest(request);
    const Answer answer =
        m_answers.value(request.path.split('?').first(), Answer{404, "nicht gefunden"});
    if (answer.silent)
        return;
#ifdef Q_OS_UNIX
    // A download that stops early closes its end while the answer is still
    // being written; the write must fail, not end the test program. Set here,
    // as the test library's crash handler takes the signal over in each run.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    const QByteArray extra = answer.extraHeaders.toLower();
    const QByteArray length =
        extra.contains("content-length:") || extra.contains("transfer-encoding:")
            ? QByteArray()
            : "Content-Length: " + QByteArray::number(answer.body.size()) + "\r\n";
    socket->write("HTTP/1.1 " + QByteArray::number(answer.status) +
                  " Scripted\r\nConnection: close\r\n" + length + answer.extraHeaders + "\r\n");
    socket->write(answer.cutAfter < 0 ? answer.body : answer.body.left(answer.cutAfter));
    socket->disconnectFromHost();
}
