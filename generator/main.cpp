#include "FaceComposer.h"
#include "GeneratorOptions.h"
#include "GeneratorServer.h"

#include <QCoreApplication>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace {

int fail(const QString &message)
{
    std::fprintf(stderr, "pelmora-generator: %s\n", qPrintable(message));
    return 1;
}

// The listening socket a service manager handed over (socket activation, as systemd does it:
// LISTEN_PID names this process and the first socket is descriptor 3), if there is one.
std::optional<qintptr> handedSocket()
{
    if (qEnvironmentVariableIntValue("LISTEN_PID") != getpid()
        || qEnvironmentVariableIntValue("LISTEN_FDS") < 1)
        return std::nullopt;
    constexpr int first = 3;
    // Not for programs this one might start.
    ::fcntl(first, F_SETFD, FD_CLOEXEC);
    qunsetenv("LISTEN_PID");
    qunsetenv("LISTEN_FDS");
    qunsetenv("LISTEN_FDNAMES");
    return first;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("pelmora-generator"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PELMORA_VERSION));

    QString error;
    const std::optional<GeneratorOptions> options =
        GeneratorOptions::fromArguments(QCoreApplication::arguments(), &error);
    if (!options)
        return fail(error + QStringLiteral(" (see --help)"));

    std::optional<QSslConfiguration> tls;
    if (options->usesTls()) {
        tls = options->tlsConfiguration(&error);
        if (!tls)
            return fail(error);
    }

    const auto composer = options->seed ? std::make_unique<FaceComposer>(*options->seed)
                                        : std::make_unique<FaceComposer>();
    GeneratorServer server(*composer, options->idleTimeout);
    const std::optional<qintptr> handed = handedSocket();
    if (!server.start(options->address, options->port, handed, tls, &error)) {
        if (handed)
            return fail(
                QStringLiteral("cannot serve the socket the service manager handed over: %1")
                    .arg(error));
        return fail(QStringLiteral("cannot listen on %1 port %2: %3")
                        .arg(options->address.toString())
                        .arg(options->port)
                        .arg(error));
    }
    std::fprintf(stderr, "pelmora-generator listening on %s\n", qPrintable(server.origin()));
    std::fflush(stderr);
    return app.exec();
}
