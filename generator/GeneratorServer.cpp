#include "GeneratorServer.h"

#include "FaceComposer.h"
#include "GenerationRequest.h"
#include "WatchedServer.h"

#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSslServer>
#include <QTcpSocket>
#include <algorithm>
#include <limits>
#include <optional>
#include <sys/resource.h>

namespace {

using StatusCode = QHttpServerResponder::StatusCode;

// How long a refused upload may go on being thrown away before the connection is cut.
constexpr std::chrono::seconds lingerAfterRefusal(5);

QByteArray jsonBody(const char *key, const QString &value)
{
    return QJsonDocument(QJsonObject { { QLatin1String(key), value } })
        .toJson(QJsonDocument::Compact);
}

// How many connections the process can keep open with the file descriptors it may have.
qsizetype connectionCapacity(int spared)
{
    rlimit limit {};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return std::numeric_limits<int>::max();
    const auto descriptors =
        qsizetype(std::min<rlim_t>(limit.rlim_cur, std::numeric_limits<int>::max()));
    // A low limit still leaves half of it to clients.
    return std::max(descriptors - spared, descriptors / 2);
}

// Where a request head ends in `head` (just past its blank line), looking from `from`; -1
// while it goes on. As for Qt's reader, a bare "\n" ends a line too.
qsizetype headEnd(const QByteArray &head, qsizetype from)
{
    for (qsizetype at = head.indexOf('\n', from); at >= 0; at = head.indexOf('\n', at + 1)) {
        if (head.mid(at + 1, 1) == "\n")
            return at + 2;
        if (head.mid(at + 1, 2) == "\r\n")
            return at + 3;
    }
    return -1;
}

// The body length Qt's reader takes from a complete head: its first Content-Length. The end of
// a chunked body is not looked for: all that follows counts until Qt has read the request.
qint64 bodyLength(const QByteArray &head)
{
    std::optional<qint64> length;
    for (const QByteArray &line : head.split('\n')) {
        const qsizetype colon = line.indexOf(':');
        const QByteArray name = line.left(colon).trimmed().toLower();
        if (name == "transfer-encoding" && line.toLower().contains("chunked"))
            return std::numeric_limits<qint64>::max();
        if (name == "content-length" && !length) {
            bool ok = false;
            const auto value = qint64(line.mid(colon + 1).trimmed().toULongLong(&ok));
            length = ok && value > 0 ? value : 0;
        }
    }
    return length.value_or(0);
}

void reply(QHttpServerResponder &responder, StatusCode status, const QByteArray &body)
{
    responder.write(
        body, { { "Content-Type", "application/json" }, { "Cache-Control", "no-store" } }, status);
}

void replyError(QHttpServerResponder &responder, StatusCode status, const QString &message)
{
    reply(responder, status, jsonBody("error", message));
}

} // namespace

GeneratorServer::GeneratorServer(
    FaceComposer &composer, std::chrono::milliseconds idleTimeout, QObject *parent)
    : QAbstractHttpServer(parent)
    , m_composer(composer)
    , m_idleTimeout(idleTimeout)
    , m_connectionCap(connectionCapacity(sparedDescriptors))
{
    // Sweep often enough that no connection outlives its deadline by more than half of it.
    m_idleSweep.setInterval(std::clamp(
        idleTimeout / 2, std::chrono::milliseconds(50), std::chrono::milliseconds(5000)));
    connect(&m_idleSweep, &QTimer::timeout, this, &GeneratorServer::closeIdleConnections);
}

bool GeneratorServer::start(const QHostAddress &address, quint16 port,
    std::optional<qintptr> handedSocket, const std::optional<QSslConfiguration> &tls,
    QString *error)
{
    const auto watcher = [this](QTcpSocket *socket) { watch(socket); };
    QTcpServer *listener = nullptr;
    if (tls) {
        auto *sslServer = new WatchedServer<QSslServer>(watcher, this);
        sslServer->setSslConfiguration(*tls);
        listener = sslServer;
    } else {
        listener = new WatchedServer<QTcpServer>(watcher, this);
    }
    // Hundreds of clients may connect at once; the default backlog of 50 would make some
    // of them wait for a retransmission.
    listener->setListenBacklogSize(1024);
    const bool listening = handedSocket ? listener->setSocketDescriptor(*handedSocket)
                                        : listener->listen(address, port);
    if (!listening) {
        *error = listener->errorString();
        delete listener;
        return false;
    }
    bind(listener);
    m_listener = listener;
    m_tls = tls.has_value();
    m_idleSweep.start();
    return true;
}

QString GeneratorServer::origin() const
{
    if (m_listener == nullptr)
        return {};
    const QHostAddress address = m_listener->serverAddress();
    const QString host = address.protocol() == QAbstractSocket::IPv6Protocol
        ? u'[' + address.toString() + u']'
        : address.toString();
    return QStringLiteral("%1://%2:%3")
        .arg(m_tls ? QStringLiteral("https") : QStringLiteral("http"), host)
        .arg(m_listener->serverPort());
}

bool GeneratorServer::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket)
{
    // A finished request gives the connection a fresh allowance of time and bytes.
    if (auto it = m_connections.find(socket); it != m_connections.end()) {
        it->deadline = QDeadlineTimer(m_idleTimeout);
        it->startRequest();
    }

    answer(request, makeResponder(request, socket));
    // Qt's server keeps every connection open; a client that asked to close reads until the
    // end of the stream, so end it once the answer is out.
    if (request.value("connection").compare("close", Qt::CaseInsensitive) == 0)
        socket->disconnectFromHost();
    return true;
}

void GeneratorServer::answer(const QHttpServerRequest &request, QHttpServerResponder &&responder)
{
    if (request.url().path() != QLatin1String(endpointPath)) {
        replyError(responder, StatusCode::NotFound,
            QStringLiteral("Nothing is here; the service answers POST %1.")
                .arg(QLatin1String(endpointPath)));
        return;
    }
    if (request.method() != QHttpServerRequest::Method::Post) {
        responder.write(jsonBody("error",
                            QStringLiteral("Only POST is allowed at %1; send a JSON object "
                                           "such as {\"prompt\": \"happy cat\"}.")
                                .arg(QLatin1String(endpointPath))),
            { { "Content-Type", "application/json" }, { "Cache-Control", "no-store" },
                { "Allow", "POST" } },
            StatusCode::MethodNotAllowed);
        return;
    }
    const GenerationRequest generation = GenerationRequest::fromBody(request.body());
    if (!generation.isValid()) {
        replyError(responder, StatusCode(generation.status()), generation.errorMessage());
        return;
    }
    reply(responder, StatusCode::Ok, jsonBody("kaomoji", m_composer.compose(generation.prompt())));
}

void GeneratorServer::missingHandler(const QHttpServerRequest &request, QTcpSocket *socket)
{
    QHttpServerResponder responder = makeResponder(request, socket);
    replyError(responder, StatusCode::NotFound,
        QStringLiteral("Nothing is here; the service answers POST %1.")
            .arg(QLatin1String(endpointPath)));
}

void GeneratorServer::watch(QTcpSocket *socket)
{
    if (!makeRoomFor(socket))
        return;
    Connection &connection = m_connections[socket];
    connection.socket = socket;
    connection.deadline = QDeadlineTimer(m_idleTimeout);
    // Connected before Qt's own reader, so this sees each arrival before Qt consumes it.
    connect(socket, &QIODevice::readyRead, this, [this, socket] { countIncoming(socket); });
    connect(socket, &QAbstractSocket::disconnected, this,
        [this, socket] { m_connections.remove(socket); });
}

bool GeneratorServer::makeRoomFor(QTcpSocket *socket)
{
    if (m_connections.size() < m_connectionCap)
        return true;
    // The connection idle longest makes way; with none idle, the new one is turned away.
    QTcpSocket *leaving = socket;
    QDeadlineTimer soonest(QDeadlineTimer::Forever);
    for (const Connection &connection : std::as_const(m_connections)) {
        if (connection.isIdle() && connection.deadline < soonest) {
            soonest = connection.deadline;
            leaving = connection.socket;
        }
    }
    close(leaving);
    return leaving != socket;
}

void GeneratorServer::close(QTcpSocket *socket)
{
    m_connections.remove(socket);
    socket->abort();
    socket->deleteLater();
}

void GeneratorServer::countIncoming(QTcpSocket *socket)
{
    const auto it = m_connections.find(socket);
    if (it != m_connections.end() && !it->scan(socket))
        refuseOversizedRequest(socket);
}

bool GeneratorServer::Connection::isIdle() const
{
    return requestBytes == 0 && socket && socket->bytesAvailable() == 0
        && socket->bytesToWrite() == 0;
}

void GeneratorServer::Connection::startRequest()
{
    head.clear();
    requestBytes = 0;
    bodyLeft = -1;
}

bool GeneratorServer::Connection::scan(QTcpSocket *socket)
{
    // Qt's reader takes one whole request at a time and leaves what follows it for the next
    // call; of a request it cannot finish yet it takes all there is. So the bytes at hand
    // continue the request being scanned, and the scan stops where that request ends.
    const qint64 available = socket->bytesAvailable();
    qint64 at = 0;
    if (bodyLeft < 0) {
        const QByteArray bytes =
            socket->peek(std::min(available, largestPendingRequest + 1 - requestBytes));
        // Like Qt's reader, skip the line breaks between one request and the next.
        while (
            head.isEmpty() && at < bytes.size() && QByteArrayView(" \t\r\n\v").contains(bytes[at]))
            ++at;
        const qsizetype seen = head.size();
        head += bytes.mid(at);
        const qsizetype end = headEnd(head, std::max<qsizetype>(seen - 2, 0));
        if (end < 0) {
            requestBytes = head.size();
            return requestBytes <= largestPendingRequest;
        }
        at += end - seen;
        head.truncate(end);
        requestBytes = end;
        bodyLeft = bodyLength(head);
    }
    const qint64 body = std::min(bodyLeft, available - at);
    requestBytes += body;
    bodyLeft -= body;
    if (requestBytes > largestPendingRequest)
        return false;
    if (bodyLeft == 0)
        startRequest();
    return true;
}

void GeneratorServer::refuseOversizedRequest(QTcpSocket *socket)
{
    // Qt's server would keep buffering the whole request: stop handing it the bytes, answer,
    // and throw away the rest of the upload until the client hangs up, so the answer is not
    // lost to a reset.
    disconnect(socket, &QIODevice::readyRead, nullptr, nullptr);
    if (socket->isTransactionStarted())
        socket->commitTransaction();
    const auto discard = [socket] { socket->skip(socket->bytesAvailable()); };
    connect(socket, &QIODevice::readyRead, socket, discard);
    discard();
    QTimer::singleShot(lingerAfterRefusal, this, [this, socket = QPointer(socket)] {
        if (socket)
            close(socket);
    });
    // Still counted among the open connections, but no longer timed by the idle sweep.
    m_connections[socket].deadline = QDeadlineTimer(QDeadlineTimer::Forever);
    const QByteArray body = jsonBody("error",
        QStringLiteral("The request is larger than %1 KiB; at most %2 KiB of body are accepted.")
            .arg(largestPendingRequest / 1024)
            .arg(GenerationRequest::largestBody / 1024));
    // The request was never parsed, so there is no responder to answer through.
    socket->write("HTTP/1.1 413 Request Entity Too Large\r\n"
                  "Content-Type: application/json\r\n"
                  "Cache-Control: no-store\r\n"
                  "Connection: close\r\n"
                  "Content-Length: "
        + QByteArray::number(body.size()) + "\r\n\r\n" + body);
}

void GeneratorServer::closeIdleConnections()
{
    // Closing a connection takes it out of the table, so pick them all first.
    QList<QTcpSocket *> expired;
    for (auto it = m_connections.cbegin(); it != m_connections.cend(); ++it) {
        if (it->socket == nullptr || it->deadline.hasExpired())
            expired.append(it.key());
    }
    for (QTcpSocket *socket : std::as_const(expired)) {
        if (m_connections.take(socket).socket != nullptr)
            close(socket);
    }
}
