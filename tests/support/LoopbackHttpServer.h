#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSslConfiguration>
#include <QStringList>
#include <QTcpServer>
#include <QUrl>
#include <functional>
#include <memory>

class QTcpSocket;

// A small HTTP/1.1 server on 127.0.0.1 standing in for the generation service, plain or over
// TLS. It records every request and answers each one as scripted: at once, after a delay, or,
// while holding, when the test releases it.
class LoopbackHttpServer final : public QObject {
    Q_OBJECT

public:
    struct Answer {
        QByteArray raw; // written as is: status line, headers, body
        qint64 streamedBodyBytes = 0; // filler bytes sent after `raw`, a chunk at a time
        bool silent = false; // never answers
        bool hangUp = false; // closes the connection once `raw` is written
        int delayMilliseconds = 0;
        int trickleMilliseconds = 0; // when set, `raw` goes out one byte per such pause
    };
    using Responder = std::function<Answer(const QByteArray &request)>;

    // Speaks https with the loopback certificate when `tls` is true.
    explicit LoopbackHttpServer(bool tls = false, QObject *parent = nullptr);

    // A client configuration that trusts the loopback certificate.
    static QSslConfiguration trustingClient();
    // A complete reply with a Content-Length matching `body`.
    static QByteArray reply(
        int status, const QByteArray &body, const QByteArray &extraHeaders = {});

    // Until told otherwise, every request gets 200 with a cat face.
    void answerWith(Responder responder) { m_responder = std::move(responder); }
    // Each request takes the next answer; the last one repeats.
    void answerWith(QList<Answer> script);
    void answerWith(const Answer &answer) { answerWith(QList<Answer> { answer }); }
    void answerJson(int status, const QByteArray &body) { answerWith({ reply(status, body) }); }

    // While holding, requests wait until released; each spell of holding numbers them from 0.
    void setHolding(bool holding);
    // Answers the held request number `index` with 200 and `body`, once.
    void release(int index, const QByteArray &body);
    int heldCount() const { return int(m_held.size()); }

    QUrl url(const QString &path = QStringLiteral("/api/generate-kaomoji.js")) const;
    QList<QByteArray> requests() const { return m_requests; }
    // The "prompt" of every request's JSON body, in arrival order.
    QStringList prompts() const;
    int connectionCount() const { return m_connectionCount; }
    // Filler bytes handed to the socket so far, and whether the client left before the end.
    qint64 streamedBytes() const { return m_streamedBytes; }
    bool clientHungUp() const { return m_clientHungUp; }

signals:
    void requestReceived();

private:
    void acceptConnections();
    void readRequests(QTcpSocket *socket);
    void send(QTcpSocket *socket, const Answer &answer);
    void streamMore(QTcpSocket *socket);
    void noteHangUp();

    std::unique_ptr<QTcpServer> m_server;
    Responder m_responder;
    QList<QByteArray> m_requests;
    bool m_holding = false;
    QList<QPointer<QTcpSocket>> m_held;
    int m_connectionCount = 0;
    qint64 m_streamedBytes = 0;
    qint64 m_bytesToStream = 0;
    bool m_clientHungUp = false;
};
