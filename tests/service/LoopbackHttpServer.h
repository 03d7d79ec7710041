#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QSslConfiguration>
#include <QTcpServer>
#include <QUrl>
#include <functional>
#include <memory>

class QTcpSocket;

// A tiny HTTP/1.1 server on 127.0.0.1 for exercising the generation client against a real
// socket, plain or over TLS. It records every request as raw bytes and answers each one as
// scripted.
class LoopbackHttpServer final : public QObject {
    Q_OBJECT

public:
    struct Answer {
        QByteArray raw; // written as is: status line, headers, body
        qint64 streamedBodyBytes = 0; // filler bytes sent after `raw`, a chunk at a time
        bool silent = false; // never answers
        bool hangUp = false; // closes the connection once `raw` is written
        int delayMilliseconds = 0;
    };
    using Responder = std::function<Answer(const QByteArray &request)>;

    // Speaks https when given a TLS configuration with a certificate and key.
    explicit LoopbackHttpServer(const QSslConfiguration &tls = {}, QObject *parent = nullptr);

    // A complete reply with a Content-Length matching `body`.
    static QByteArray reply(
        int status, const QByteArray &body, const QByteArray &extraHeaders = {});

    void answerWith(Responder responder) { m_responder = std::move(responder); }
    // Each request takes the next answer; the last one repeats.
    void answerWith(QList<Answer> script);
    void answerWith(const Answer &answer) { answerWith(QList<Answer> { answer }); }
    void answerJson(int status, const QByteArray &body) { answerWith({ reply(status, body) }); }

    QUrl url(const QString &path = QStringLiteral("/api/generate-kaomoji.js")) const;
    QList<QByteArray> requests() const { return m_requests; }
    int connectionCount() const { return m_connectionCount; }
    // Filler bytes handed to the socket so far, and whether the client left before the end.
    qint64 streamedBytes() const { return m_streamedBytes; }
    bool clientHungUp() const { return m_clientHungUp; }

private:
    void acceptConnections();
    void readRequests(QTcpSocket *socket);
    void send(QTcpSocket *socket, const Answer &answer);
    void streamMore(QTcpSocket *socket);
    void noteHangUp();

    std::unique_ptr<QTcpServer> m_server;
    Responder m_responder;
    QList<QByteArray> m_requests;
    int m_connectionCount = 0;
    qint64 m_streamedBytes = 0;
    qint64 m_bytesToStream = 0;
    bool m_clientHungUp = false;
};
