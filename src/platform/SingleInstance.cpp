#include "SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A starting process holds the lock only while it builds its window; anything longer means
// that process is stuck.
constexpr int lockTimeout = 5000;
// A command word and its argument: an activation token, a file name, or a face of up to a
// thousand characters, escaped; anything longer is not one of ours.
constexpr qint64 maximumLineLength = 16384;

const QByteArray acknowledgement = "ok";
const QByteArray unknownCommand = "unknown command";

// Spaces, line breaks, "%" and everything beyond ASCII travel as %XX, so that a face or a file
// name fits in the one line; an activation token is plain ASCII and travels as it is, as it
// did to the Pelmora of before.
QByteArray escaped(const QString &argument)
{
    static const QByteArray plain = "!\"#$&'()*+,-./:;<=>?@[\\]^_`{|}~";
    return argument.toUtf8().toPercentEncoding(plain);
}

bool canTravel(const QByteArray &escapedArgument)
{
    return escapedArgument.size() < maximumLineLength - 64;
}

// Empty when `directory` is the user's own and closed to everybody else.
QString whyNotPrivate(const QString &directory)
{
    struct stat info = {};
    const QByteArray path = QFile::encodeName(directory);
    QString reason;
    if (::stat(path.constData(), &info) != 0)
        reason = QString::fromLocal8Bit(std::strerror(errno));
    else if (!S_ISDIR(info.st_mode))
        reason = QCoreApplication::translate("SingleInstance", "it is not a directory");
    else if (info.st_uid != getuid())
        reason = QCoreApplication::translate(
            "SingleInstance", "it belongs to uid %1, not to you (uid %2)")
                     .arg(info.st_uid)
                     .arg(getuid());
    else if ((info.st_mode & 077) != 0)
        reason =
            QCoreApplication::translate("SingleInstance", "it is open to other users (mode %1)")
                .arg(info.st_mode & 0777, 4, 8, QLatin1Char('0'));
    else
        return {};
    return QCoreApplication::translate("SingleInstance",
        "%1 is no place for the instance socket: %2; it must be a directory of yours that "
        "nobody else may enter (mode 0700)")
        .arg(directory, reason);
}

// Creates `directory` for this user alone, or closes one of the user's own that is open.
void makePrivateDirectory(const QString &directory)
{
    QDir().mkpath(QFileInfo(directory).absolutePath());
    const QByteArray path = QFile::encodeName(directory);
    if (::mkdir(path.constData(), 0700) == 0)
        return;
    struct stat info = {};
    if (::lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == getuid())
        ::chmod(path.constData(), 0700);
}

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

QString SingleInstance::defaultSocketPath(QString *problem)
{
    QString directory = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (directory.isEmpty()) {
        directory = QDir(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation))
                        .filePath(QStringLiteral("pelmora"));
        makePrivateDirectory(directory);
    }
    *problem = whyNotPrivate(directory);
    if (!problem->isEmpty())
        return {};
    return QDir(directory).filePath(QStringLiteral("pelmora-%1").arg(getuid()));
}

SingleInstance::Claim SingleInstance::claim(const QString &command, const QString &argument)
{
    m_error = nullptr;
    if (!m_lock.tryLock(lockTimeout)) {
        const QString lockFile = m_lock.fileName();
        switch (m_lock.error()) {
        case QLockFile::LockFailedError:
            m_error = [lockFile] {
                return tr("another Pelmora has been starting for more than %1 s and still holds "
                          "%2")
                    .arg(lockTimeout / 1000)
                    .arg(lockFile);
            };
            break;
        case QLockFile::PermissionError:
            m_error = [lockFile] {
                return tr("cannot create %1: permission denied").arg(lockFile);
            };
            break;
        default:
            m_error = [lockFile] { return tr("cannot create %1").arg(lockFile); };
            break;
        }
        return Claim::Failed;
    }

    const QByteArray escapedArgument = escaped(argument);
    const bool withArgument = !argument.isEmpty() && canTravel(escapedArgument);
    Delivery delivery = deliver(
        withArgument ? command + QLatin1Char(' ') + QString::fromLatin1(escapedArgument) : command);
    // A Pelmora from before arguments refuses the whole line: the command alone still works.
    if (withArgument && delivery == Delivery::Refused)
        delivery = deliver(command);
    switch (delivery) {
    case Delivery::Answered:
        m_lock.unlock();
        return Claim::Delivered;
    case Delivery::NobodyListening:
    case Delivery::Stranger:
        return Claim::Primary;
    case Delivery::Refused:
    case Delivery::Failed:
        break;
    }
    m_lock.unlock();
    return Claim::Failed;
}

SingleInstance::Delivery SingleInstance::deliver(const QString &line)
{
    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    if (!socket.waitForConnected(m_timeout)) {
        // No file, or a file nobody listens on (its process died): either way nobody runs.
        if (socket.error() == QLocalSocket::ServerNotFoundError
            || socket.error() == QLocalSocket::ConnectionRefusedError)
            return Delivery::NobodyListening;
        m_error = [path = m_socketPath, reason = socket.errorString()] {
            return tr("cannot reach the running Pelmora at %1: %2").arg(path, reason);
        };
        return Delivery::Failed;
    }
    // A socket of another user would take our commands and have us exit as a second
    // instance; whoever it is, it is not our Pelmora.
    struct ucred peer = {};
    socklen_t length = sizeof peer;
    if (::getsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer, &length) != 0
        || peer.uid != getuid()) {
        m_error = [uid = peer.uid, path = m_socketPath] {
            return tr("a process of uid %1, not a Pelmora of yours, answers at %2; starting as "
                      "the first Pelmora")
                .arg(uid)
                .arg(path);
        };
        return Delivery::Stranger;
    }

    QElapsedTimer timer;
    timer.start();
    const auto remaining = [&] { return int(std::max<qint64>(0, m_timeout - timer.elapsed())); };
    socket.write(line.toUtf8() + '\n');
    while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(remaining())) { }
    while (!socket.canReadLine() && socket.state() == QLocalSocket::ConnectedState
        && socket.waitForReadyRead(remaining())) { }

    if (!socket.canReadLine()) {
        m_error = [timeout = m_timeout] {
            return tr("the running Pelmora did not answer within %1 ms").arg(timeout);
        };
        return Delivery::Failed;
    }
    const QByteArray reply = socket.readLine(maximumLineLength).trimmed();
    if (reply != acknowledgement) {
        m_error = [line, reply = QString::fromUtf8(reply)] {
            return tr("the running Pelmora refused \"%1\": %2").arg(line, reply);
        };
        return Delivery::Refused;
    }
    return Delivery::Answered;
}

bool SingleInstance::listen()
{
    Q_ASSERT(m_lock.isLocked());
    m_error = nullptr;
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);

    // Under the lock, a socket file that refused our connection belongs to a dead process.
    QLocalServer::removeServer(m_socketPath);
    const bool listening = m_server->listen(m_socketPath);
    if (!listening)
        m_error = [path = m_socketPath, reason = m_server->errorString()] {
            return tr("cannot listen at %1: %2").arg(path, reason);
        };
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
        const QString line = QString::fromUtf8(socket->readLine(maximumLineLength + 1).trimmed());
        const qsizetype space = line.indexOf(QLatin1Char(' '));
        const QString command = line.left(space);
        if (!m_acceptedCommands.contains(command)) {
            socket->write(unknownCommand + '\n');
            continue;
        }
        // Answer before acting, so the asking process can exit while the window opens.
        socket->write(acknowledgement + '\n');
        socket->flush();
        emit commandReceived(command,
            space < 0 ? QString()
                      : QString::fromUtf8(
                          QByteArray::fromPercentEncoding(line.mid(space + 1).toLatin1())));
    }
    if (socket->bytesAvailable() > maximumLineLength)
        socket->abort();
}
