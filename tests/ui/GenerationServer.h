#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTcpServer>
#include <QUrl>

class QTcpSocket;

// A stand-in generation service on 127.0.0.1: reads each POST, writes down its prompt and
// answers with the body it was given, at once or when the test releases the request.
class GenerationServer final : public QObject {
    Q_OBJECT

public:
    explicit GenerationServer(QObject *parent = nullptr);

    bool listen();
    QUrl endpoint() const;

    // The reply body for the next requests, sent at once unless holding.
    void setReplyBody(const QByteArray &body) { m_replyBody = body; }
    // Each spell of holding numbers its requests from 0.
    void setHolding(bool holding);
    // Forgets earlier requests, answering any still held with an error.
    void reset();
    // Answers the held request number `index` (in arrival order) with `body`.
    void release(int index, const QByteArray &body);

    const QStringList &prompts() const { return m_prompts; }
    int heldCount() const { return int(m_held.size()); }

signals:
    void requestReceived();

private:
    void readFrom(QTcpSocket *socket);
    void forgetHeld();
    static void answer(QTcpSocket *socket, const QByteArray &body);

    QHash<QTcpSocket *, QByteArray> m_buffers;
    QList<QPointer<QTcpSocket>> m_held;
    QStringList m_prompts;
    QByteArray m_replyBody;
    bool m_holding = false;
    // Last, so that it and its sockets go first: a closing socket still reaches m_buffers.
    QTcpServer m_server;
};
