#pragma once

#include <QTcpServer>
#include <QTcpSocket>
#include <functional>

// A listening server (QTcpServer or QSslServer) that shows every connection it hands out to
// a watcher first, so the HTTP server's owner can bound how long and how much a client may
// send. The watcher runs before Qt's HTTP server attaches its own handlers to the socket.
template <typename Server> class WatchedServer final : public Server {
public:
    using Watcher = std::function<void(QTcpSocket *)>;

    WatchedServer(Watcher watcher, QObject *parent)
        : Server(parent)
        , m_watcher(std::move(watcher))
    {
    }

    QTcpSocket *nextPendingConnection() override
    {
        QTcpSocket *socket = Server::nextPendingConnection();
        if (socket != nullptr)
            m_watcher(socket);
        return socket;
    }

private:
    Watcher m_watcher;
};
