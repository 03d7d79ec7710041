#include "FaceComposer.h"
#include "GeneratorOptions.h"
#include "GeneratorServer.h"

#include <QCoreApplication>
#include <cstdio>
#include <memory>

namespace {

int fail(const QString &message)
{
    std::fprintf(stderr, "pelmora-generator: %s\n", qPrintable(message));
    return 1;
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
    if (!server.start(options->address, options->port, tls, &error)) {
        return fail(QStringLiteral("cannot listen on %1 port %2: %3")
                        .arg(options->address.toString())
                        .arg(options->port)
                        .arg(error));
    }
    std::fprintf(stderr, "pelmora-generator listening on %s\n", qPrintable(server.origin()));
    std::fflush(stderr);
    return app.exec();
}
