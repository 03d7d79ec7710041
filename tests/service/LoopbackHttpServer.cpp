#include "LoopbackHttpServer.h"

#include <QSslServer>
#include <QTcpSocket>
#include <QTimer>

namespace {

constexpr qint64 streamChunkSize = 64 * 1024;

// The Content-Length of a request head, or 0 when it has none.
qint64 contentLength(const QByteArray &head)
{
    for (const QByteArray &line : head.split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().toLower() == "content-length")
            return line.mid(colon + 1).trimmed().toLongLong();
    }
    return 0;
}

} // namespace

LoopbackHttpServer::LoopbackHttpServer(const QSslConfiguration &tls, QObject *parent)
    : QObject(parent)
{
    if (tls.localCertificate().isNull()) {
        m_server = std::make_unique<QTcpServer>();
    } else {
        auto server = std::make_unique<QSslServer>();
        server->setSslConfiguration(tls);
        m_server = std::move(server);
    }
    connect(m_server.get(), &QTcpServer::pendingConnectionAvailable, this,
        &LoopbackHttpServer::acceptConnections);
    if (!m_server->listen(QHostAddress::LocalHost))
        qFatal("LoopbackHttpServer: cannot listen on 127.0.0.1: %s",
            qPrintable(m_server->errorString()));
}

QByteArray LoopbackHttpServer::reply(
    int status, const QByteArray &body, const QByteArray &extraHeaders)
{
    return "HTTP/1.1 " + QByteArray::number(status) + " Status\r\n"
        + "Content-Type: application/json\r\n" + "Content-Length: "
        + QByteArray::number(body.size()) + "\r\n" + extraHeaders + "\r\n" + body;
}

void LoopbackHttpServer::answerWith(QList<Answer> script)
{
    m_responder = [script = std::move(script)](const QByteArray &) mutable {
        return script.size() > 1 ? script.takeFirst() : script.first();
    };
}

QUrl LoopbackHttpServer::url(const QString &path) const
{
    QUrl url;
    url.setScheme(qobject_cast<QSslServer *>(m_server.get()) ? QStringLiteral("https")
                                                             : QStringLiteral("http"));
    url.setHost(QStringLiteral("127.0.0.1"));
    url.setPort(m_server->serverPort());
    url.setPath(path);
    return url;
}

void LoopbackHttpServer::acceptConnections()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
        ++m_connectionCount;
        socket->setParent(this);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readRequests(socket); });
        connect(socket, &QTcpSocket::bytesWritten, this, [this, socket] { streamMore(socket); });
        connect(socket, &QTcpSocket::errorOccurred, this, &LoopbackHttpServer::noteHangUp);
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            noteHangUp();
            socket->deleteLater();
        });
    }
}

void LoopbackHttpServer::readRequests(QTcpSocket *socket)
{
    // Bytes stay in the socket until a whole request is there.
    for (;;) {
        const QByteArray pending = socket->peek(socket->bytesAvailable());
        const qsizetype headEnd = pending.indexOf("\r\n\r\n");
        if (headEnd < 0)
            return;
        const qint64 size = headEnd + 4 + contentLength(pending.left(headEnd));
        if (pending.size() < size)
            return;
        const QByteArray request = socket->read(size);
        m_requests.append(request);
        if (!m_responder)
            qFatal("LoopbackHttpServer: a request arrived with no answer scripted");
        const Answer answer = m_responder(request);
        if (answer.delayMilliseconds > 0)
            QTimer::singleShot(
                answer.delayMilliseconds, socket, [this, socket, answer] { send(socket, answer); });
        else
            send(socket, answer);
    }
}

void LoopbackHttpServer::send(QTcpSocket *socket, const Answer &answer)
{
    if (answer.silent)
        return;
    socket->write(answer.raw);
    m_streamedBytes = 0;
    m_bytesToStream = answer.streamedBodyBytes;
    streamMore(socket);
    if (answer.hangUp)
        socket->disconnectFromHost();
}

void LoopbackHttpServer::streamMore(QTcpSocket *socket)
{
    // Only a little is queued at a time, so how much went out shows how much the client took.
    while (m_streamedBytes < m_bytesToStream && socket->bytesToWrite() < streamChunkSize
        && socket->state() == QAbstractSocket::ConnectedState) {
        const qint64 chunk = qMin(streamChunkSize, m_bytesToStream - m_streamedBytes);
        socket->write(QByteArray(chunk, 'x'));
        m_streamedBytes += chunk;
    }
}

void LoopbackHttpServer::noteHangUp()
{
    if (m_streamedBytes < m_bytesToStream)
        m_clientHungUp = true;
}
