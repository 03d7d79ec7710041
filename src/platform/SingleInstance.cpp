#include "SingleInstance.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <unistd.h>

namespace {

// A starting process holds the lock only while it builds its window; anything longer means
// that process is stuck.
constexpr int lockTimeout = 5000;
// Commands are single words; anything longer is not one of ours.
constexpr qint64 maximumLineLength = 64;

const QByteArray acknowledgement = "ok";

} // namespace

SingleInstance::SingleInstance(
    const QString &socketPath, const QStringList &acceptedCommands, QObject *parent)
    : QObject(parent)
    , m_socketPath(socketPath)
    , m_acceptedCommands(acceptedCommands)
    , m_lock(socketPath + QStringLiteral(".lock"))
{
}

SingleInstance::~SingleInstance()
{
    close();
}

void SingleInstance::close()
{
    // Close the server first so the socket file goes away while the lock is still ours.
    if (m_server)
        m_server->close();
}

QString SingleInstance::defaultSocketPath()
{
    const QString directory = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return QDir(directory).filePath(QStringLiteral("pelmora-%1").arg(getuid()));
}

SingleInstance::Claim SingleInstance::claim(const QString &command)
{
    m_errorString.clear();
    if (!m_lock.tryLock(lockTimeout)) {
        switch (m_lock.error()) {
        case QLockFile::LockFailedError:
            m_errorString = QStringLiteral("another Pelmora has been starting for more than %1 s "
                                           "and still holds %2")
                                .arg(lockTimeout / 1000)
                                .arg(m_lock.fileName());
            break;
        case QLockFile::PermissionError:
            m_errorString =
                QStringLiteral("cannot create %1: permission denied").arg(m_lock.fileName());
            break;
        default:
            m_errorString = QStringLiteral("cannot create %1").arg(m_lock.fileName());
            break;
        }
        return Claim::Failed;
    }

    switch (deliver(command)) {
    case Delivery::Answered:
        m_lock.unlock();
        return Claim::Delivered;
    case Delivery::NobodyListening:
        return Claim::Primary;
    case Delivery::Failed:
        break;
    }
    m_lock.unlock();
    return Claim::Failed;
}

SingleInstance::Delivery SingleInstance::deliver(const QString &command)
{
    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    if (!socket.waitForConnected(m_timeout)) {
        // No file, or a file nobody listens on (its process died): either way nobody runs.
        if (socket.error() == QLocalSocket::ServerNotFoundError
            || socket.error() == QLocalSocket::ConnectionRefusedError)
            return Delivery::NobodyListening;
        m_errorString = QStringLiteral("cannot reach the running Pelmora at %1: %2")
                            .arg(m_socketPath, socket.errorString());
        return Delivery::Failed;
    }

    QElapsedTimer timer;
    timer.start();
    const auto remaining = [&] { return int(std::max<qint64>(0, m_timeout - timer.elapsed())); };
    socket.write(command.toUtf8() + '\n');
    while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(remaining())) { }
    while (!socket.canReadLine() && socket.state() == QLocalSocket::ConnectedState
        && socket.waitForReadyRead(remaining())) { }

    if (!socket.canReadLine()) {
        m_errorString =
            QStringLiteral("the running Pelmora did not answer within %1 ms").arg(m_timeout);
        return Delivery::Failed;
    }
    const QByteArray reply = socket.readLine(maximumLineLength).trimmed();
    if (reply != acknowledgement) {
        m_errorString = QStringLiteral("the running Pelmora refused \"%1\": %2")
                            .arg(command, QString::fromUtf8(reply));
        return Delivery::Failed;
    }
    return Delivery::Answered;
}

bool SingleInstance::listen()
{
    Q_ASSERT(m_lock.isLocked());
    m_errorString.clear();
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);

    // Under the lock, a socket file that refused our connection belongs to a dead process.
    QLocalServer::removeServer(m_socketPath);
    const bool listening = m_server->listen(m_socketPath);
    if (!listening)
        m_errorString =
            QStringLiteral("cannot listen at %1: %2").arg(m_socketPath, m_server->errorString());
    m_lock.unlock();
    return listening;
}

void SingleInstance::acceptConnections()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readCommands(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        readCommands(socket);
    }
}

void SingleInstance::readCommands(QLocalSocket *socket)
{
    while (socket->canReadLine()) {
        const QString command =
            QString::fromUtf8(socket->readLine(maximumLineLength + 1).trimmed());
        if (!m_acceptedCommands.contains(command)) {
            socket->write("unknown command\n");
            continue;
        }
        // Answer before acting, so the asking process can exit while the window opens.
        socket->write(acknowledgement + '\n');
        socket->flush();
        emit commandReceived(command);
    }
    if (socket->bytesAvailable() > maximumLineLength)
        socket->abort();
}
