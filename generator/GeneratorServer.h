#pragma once

#include <QAbstractHttpServer>
#include <QDeadlineTimer>
#include <QHash>
#include <QHostAddress>
#include <QPointer>
#include <QSslConfiguration>
#include <QTimer>
#include <chrono>
#include <optional>

class FaceComposer;
class QHttpServerResponder;
class QTcpServer;
class QTcpSocket;

// The HTTP side of the generation service: answers POST /api/generate-kaomoji.js with a face
// from the composer, and every other request with a JSON error. Connections that stay silent
// or half-sent too long, or send a request larger than a request may be, are closed; so is the
// connection idle longest when a new one would leave no file descriptor to spare.
class GeneratorServer final : public QAbstractHttpServer {
    Q_OBJECT

public:
    static constexpr const char *endpointPath = "/api/generate-kaomoji.js";
    // More than any acceptable request (16 KiB of body plus headers) may buffer before the
    // client is told the request is too large. Each request of a pipelined burst counts alone.
    static constexpr qint64 largestPendingRequest = 256 * 1024;
    // File descriptors kept free for everything but client connections: the listener, the
    // event loop, the standard streams, the one new connection about to be accepted.
    static constexpr int sparedDescriptors = 32;

    GeneratorServer(
        FaceComposer &composer, std::chrono::milliseconds idleTimeout, QObject *parent = nullptr);

    // Starts listening, with TLS when `tls` is given, on `handedSocket` when a service manager
    // handed one over, else on the address and port. On failure returns false and says why.
    bool start(const QHostAddress &address, quint16 port, std::optional<qintptr> handedSocket,
        const std::optional<QSslConfiguration> &tls, QString *error);
    // The address clients use, such as "https://127.0.0.1:47615".
    QString origin() const;

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    void missingHandler(const QHttpServerRequest &request, QTcpSocket *socket) override;

private:
    // A client connection and the request Qt's reader is in, as far as the bytes show.
    struct Connection {
        QPointer<QTcpSocket> socket;
        QDeadlineTimer deadline;
        QByteArray head; // the request's head until its blank line is seen
        qint64 requestBytes = 0;
        qint64 bodyLeft = -1; // -1 until the head is complete

        bool isIdle() const;
        // Follows the request through the bytes after what Qt's reader took; false once it
        // is larger than a request may be.
        bool scan(QTcpSocket *socket);
        void startRequest();
    };

    void answer(const QHttpServerRequest &request, QHttpServerResponder &&responder);
    void watch(QTcpSocket *socket);
    void countIncoming(QTcpSocket *socket);
    void refuseOversizedRequest(QTcpSocket *socket);
    void closeIdleConnections();
    // Before `socket` joins the open connections at the cap, closes the one idle longest;
    // false when none is idle and `socket` was closed instead.
    bool makeRoomFor(QTcpSocket *socket);
    void close(QTcpSocket *socket);

    FaceComposer &m_composer;
    std::chrono::milliseconds m_idleTimeout;
    QHash<QTcpSocket *, Connection> m_connections;
    QTimer m_idleSweep;
    QTcpServer *m_listener = nullptr;
    // Connections kept open at once, below the process's file descriptor limit.
    qsizetype m_connectionCap;
    bool m_tls = false;
};
