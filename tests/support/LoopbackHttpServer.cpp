#include "LoopbackHttpServer.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSslKey>
#include <QSslServer>
#include <QTcpSocket>
#include <QTimer>

namespace {

constexpr qint64 streamChunkSize = 64 * 1024;

QByteArray supportData(const char *name)
{
    QFile file(QStringLiteral(PELMORA_TEST_SUPPORT_DATA "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(file.fileName()));
    return file.readAll();
}

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

LoopbackHttpServer::LoopbackHttpServer(bool tls, QObject *parent)
    : QObject(parent)
{
    if (tls) {
        QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
        configuration.setLocalCertificate(QSslCertificate(supportData("loopback-cert.pem")));
        configuration.setPrivateKey(QSslKey(supportData("loopback-key.pem"), QSsl::Ec));
        auto server = std::make_unique<QSslServer>();
        server->setSslConfiguration(configuration);
        m_server = std::move(server);
    } else {
        m_server = std::make_unique<QTcpServer>();
    }
    answerJson(200, R"j({"kaomoji":"(=^･ω･^=)"})j");
    connect(m_server.get(), &QTcpServer::pendingConnectionAvailable, this,
        &LoopbackHttpServer::acceptConnections);
    if (!m_server->listen(QHostAddress::LocalHost))
        qFatal("LoopbackHttpServer: cannot listen on 127.0.0.1: %s",
            qPrintable(m_server->errorString()));
}

QSslConfiguration LoopbackHttpServer::trustingClient()
{
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setCaCertificates({ QSslCertificate(supportData("loopback-cert.pem")) });
    return tls;
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

void LoopbackHttpServer::setHolding(bool holding)
{
    // Requests still held from before get an answer, so no client waits for its time limit.
    if (holding && !m_holding) {
        for (int index = 0; index < m_held.size(); ++index)
            release(index, R"j({"error":"forgotten"})j");
        m_held.clear();
    }
    m_holding = holding;
}

void LoopbackHttpServer::release(int index, const QByteArray &body)
{
    if (index >= m_held.size() || !m_held[index])
        return;
    send(m_held[index], Answer { reply(200, body) });
    m_held[index] = nullptr;
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

QStringList LoopbackHttpServer::prompts() const
{
    QStringList prompts;
    for (const QByteArray &request : m_requests) {
        const QByteArray body = request.mid(request.indexOf("\r\n\r\n") + 4);
        prompts.append(QJsonDocument::fromJson(body).object().value("prompt").toString());
    }
    return prompts;
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
        if (m_holding) {
            m_held.append(socket);
        } else {
            const Answer answer = m_responder(request);
            if (answer.delayMilliseconds > 0)
                QTimer::singleShot(answer.delayMilliseconds, socket,
                    [this, socket, answer] { send(socket, answer); });
            else
                send(socket, answer);
        }
        emit requestReceived();
    }
}

void LoopbackHttpServer::send(QTcpSocket *socket, const Answer &answer)
{
    if (answer.silent)
        return;
    if (answer.trickleMilliseconds > 0) {
        auto *trickle = new QTimer(socket);
        connect(trickle, &QTimer::timeout, socket, [socket, rest = answer.raw]() mutable {
            socket->write(rest.left(1));
            rest.remove(0, 1);
        });
        trickle->start(answer.trickleMilliseconds);
        return;
    }
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
