#pragma once

#include <QLockFile>
#include <QObject>
#include <QStringList>
#include <functional>

class QLocalServer;
class QLocalSocket;

// Keeps Pelmora to one process per user. The first process listens on a local socket; a later
// one hands it a command and exits: a line of one word ("show", "toggle"), optionally followed
// by a space and an argument in which spaces and anything beyond ASCII are %-escaped ("toggle
// TOKEN" passes the launch's activation token, "copy (%20%CB%98%C2%B3%CB%98)" a face). A lock file
// beside the socket makes "is anybody listening? then I will" one step, so two processes started
// together cannot both become the listener.
class SingleInstance final : public QObject {
    Q_OBJECT

public:
    enum class Claim {
        Primary, // nobody answered: this process listens, once listen() is called
        Delivered, // the running process took the command
        Failed, // see errorString()
    };

    SingleInstance(
        const QString &socketPath, const QStringList &acceptedCommands, QObject *parent = nullptr);
    ~SingleInstance() override;

    // "pelmora-<uid>" in the user's runtime directory ($XDG_RUNTIME_DIR), or without one in
    // "pelmora" under the user's cache directory, made for it. Whoever can write to the
    // directory can take the socket's place, so only a directory of the user's own that
    // nobody else may enter (mode 0700) will do: otherwise the path is empty and `problem`
    // says why.
    static QString defaultSocketPath(QString *problem);

    // Gives `command` with its `argument` to the running process if there is one. An argument
    // that cannot travel (too long) is left out, and so is one that an older Pelmora,
    // which knows only single words, refuses. Primary keeps the lock held, so that later
    // processes wait until listen() is ready for them; errorString() then says whether a
    // process of another user answered at the socket, which is never taken for a running
    // Pelmora.
    Claim claim(const QString &command, const QString &argument = {});

    // Only after claim() returned Primary. Takes over a socket left behind by a process that
    // died, listens, then releases the lock.
    bool listen();

    // Stops listening and removes the socket, as the destructor does.
    void close();

    QString socketPath() const { return m_socketPath; }
    // In the language of the moment it is asked for: a later start says it only once it has
    // an application object, which translations need.
    QString errorString() const { return m_error ? m_error() : QString(); }

    // How long a later process waits for the running one to answer.
    void setTimeout(int milliseconds) { m_timeout = milliseconds; }

signals:
    // `argument` is empty when the command came without one.
    void commandReceived(const QString &command, const QString &argument);

private:
    enum class Delivery { Answered, NobodyListening, Stranger, Refused, Failed };

    Delivery deliver(const QString &line);
    void acceptConnections();
    void readCommands(QLocalSocket *socket);

    QString m_socketPath;
    QStringList m_acceptedCommands;
    QLockFile m_lock;
    QLocalServer *m_server = nullptr;
    std::function<QString()> m_error;
    int m_timeout = 3000;
};
