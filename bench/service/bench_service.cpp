#include "AIKaomojiGenerator.h"
#include "BenchTable.h"
#include "ChildProcess.h"
#include "LoopbackHttpServer.h"

#include <QCoreApplication>
#include <QEventLoop>

// One request and reply over loopback: first against a server that answers at once, so the
// figure is the client and Qt's HTTP stack, then against the reference service.
using namespace std::chrono_literals;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    LoopbackHttpServer server;
    server.answerJson(200, R"-({"kaomoji":"(^_^)"})-");
    QNetworkRequest request = AIKaomojiGenerator::makeRequest(server.url());

    int failures = 0;
    const auto roundTrip = [&] {
        QEventLoop loop;
        AIKaomojiGenerator::generateKaomoji(
            request, QStringLiteral("happy cat"), nullptr, [&](const GenerationResult &result) {
                if (!result.isSuccess())
                    ++failures;
                loop.quit();
            });
        loop.exec();
    };
    // The first request opens the connection; the app's later ones reuse it.
    for (int i = 0; i < 20; ++i)
        roundTrip();
    BenchTable::measure(QStringLiteral("generation client round trip, canned loopback server"), 2ms,
        500, 1, roundTrip);

    GeneratorService service;
    if (!service.isListening()) {
        std::fprintf(stderr, "bench_service: pelmora-generator did not start: %s\n",
            qPrintable(service.process().output(QProcess::StandardError)));
        return 1;
    }
    request = AIKaomojiGenerator::makeRequest(service.endpoint());
    for (int i = 0; i < 20; ++i)
        roundTrip();
    BenchTable::measure(
        QStringLiteral("generation client round trip, pelmora-generator"), 2ms, 500, 1, roundTrip);
    if (failures > 0) {
        std::fprintf(stderr, "bench_service: %d round trips failed\n", failures);
        return 1;
    }
    return 0;
}
