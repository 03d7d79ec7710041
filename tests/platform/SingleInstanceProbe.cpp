// A process for SingleInstanceTest: it claims the instance the way pelmora does and reports
// on stdout what happened, one line per event.
//
//   SingleInstanceProbe SOCKET COMMAND [--timeout MS]  claim; listen when first
//   SingleInstanceProbe SOCKET COMMAND --claim-only    claim, then never listen (holds the lock)
//   SingleInstanceProbe SOCKET mute                    accept connections, never answer

#include "SingleInstance.h"

#include <QCoreApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <cstdio>

namespace {

void report(const QString &line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

int listenMute(const QString &socketPath, QCoreApplication &app)
{
    QLocalServer server;
    QLocalServer::removeServer(socketPath);
    if (!server.listen(socketPath)) {
        report(QStringLiteral("failed: ") + server.errorString());
        return 2;
    }
    QList<QLocalSocket *> kept;
    QObject::connect(&server, &QLocalServer::newConnection, [&] {
        while (QLocalSocket *socket = server.nextPendingConnection())
            kept.append(socket);
    });
    report(QStringLiteral("listening"));
    return app.exec();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() < 3) {
        report(QStringLiteral("usage: SingleInstanceProbe SOCKET COMMAND [--timeout MS] "
                              "[--claim-only]"));
        return 64;
    }
    const QString socketPath = arguments.at(1);
    const QString command = arguments.at(2);
    if (command == QLatin1String("mute"))
        return listenMute(socketPath, app);

    SingleInstance instance(socketPath, { QStringLiteral("show"), QStringLiteral("toggle") });
    const qsizetype timeoutAt = arguments.indexOf(QStringLiteral("--timeout"));
    if (timeoutAt > 0 && timeoutAt + 1 < arguments.size())
        instance.setTimeout(arguments.at(timeoutAt + 1).toInt());

    switch (instance.claim(command)) {
    case SingleInstance::Claim::Delivered:
        report(QStringLiteral("delivered"));
        return 0;
    case SingleInstance::Claim::Failed:
        report(QStringLiteral("failed: ") + instance.errorString());
        return 1;
    case SingleInstance::Claim::Primary:
        break;
    }
    if (arguments.contains(QStringLiteral("--claim-only"))) {
        report(QStringLiteral("claimed"));
        return app.exec();
    }
    if (!instance.listen()) {
        report(QStringLiteral("failed: ") + instance.errorString());
        return 1;
    }
    QObject::connect(&instance, &SingleInstance::commandReceived,
        [](const QString &received) { report(QStringLiteral("received ") + received); });
    report(QStringLiteral("listening"));
    return app.exec();
}
