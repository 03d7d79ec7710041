#include "GenerationServer.h"

#include <QHostAddress>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpSocket>

GenerationServer::GenerationServer(QObject *parent)
    : QObject(parent)
{
    reset();
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readFrom(socket); });
            connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
                m_buffers.remove(socket);
                socket->deleteLater();
            });
        }
    });
}

bool GenerationServer::listen()
{
    return m_server.listen(QHostAddress::LocalHost, 0);
}

QUrl GenerationServer::endpoint() const
{
    return QUrl(
        QStringLiteral("http://127.0.0.1:%1/api/generate-kaomoji.js").arg(m_server.serverPort()));
}

void GenerationServer::readFrom(QTcpSocket *socket)
{
    QByteArray &buffer = m_buffers[socket];
    buffer += socket->readAll();
    const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return;
    qsizetype contentLength = 0;
    for (const QByteArray &line : buffer.left(headerEnd).split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (trimmed.toLower().startsWith("content-length:"))
            contentLength = trimmed.mid(15).trimmed().toLongLong();
    }
    if (buffer.size() < headerEnd + 4 + contentLength)
        return;
    const QByteArray body = buffer.mid(headerEnd + 4, contentLength);
    buffer.clear();
    m_prompts.append(QJsonDocument::fromJson(body).object().value("prompt").toString());
    if (m_holding)
        m_held.append(socket);
    else
        answer(socket, m_replyBody);
    emit requestReceived();
}

void GenerationServer::release(int index, const QByteArray &body)
{
    if (index >= m_held.size() || !m_held[index])
        return;
    answer(m_held[index], body);
    m_held[index] = nullptr; // answered once only
}

void GenerationServer::setHolding(bool holding)
{
    if (holding && !m_holding)
        forgetHeld();
    m_holding = holding;
}

// Requests still held from before get an answer, so no client waits for its time limit.
void GenerationServer::forgetHeld()
{
    for (int index = 0; index < m_held.size(); ++index)
        release(index, R"j({"error":"forgotten"})j");
    m_held.clear();
}

void GenerationServer::reset()
{
    forgetHeld();
    m_prompts.clear();
    m_holding = false;
    m_replyBody = R"j({"kaomoji":"(=^･ω･^=)"})j";
}

void GenerationServer::answer(QTcpSocket *socket, const QByteArray &body)
{
    socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: "
        + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
    socket->disconnectFromHost();
}
