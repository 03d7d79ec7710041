#include "AIKaomojiGenerator.h"
#include "BenchTable.h"
#include "LoopbackHttpServer.h"

#include <QCoreApplication>
#include <QEventLoop>

// The generation client's own cost: one request and reply over loopback against a server
// that answers at once, so the figure is the client and Qt's HTTP stack, not a model.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    LoopbackHttpServer server;
    server.answerJson(200, R"-({"kaomoji":"(^_^)"})-");
    const QNetworkRequest request = AIKaomojiGenerator::makeRequest(server.url());

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
    BenchTable::measure(QStringLiteral("AIKaomojiGenerator round trip, loopback server"),
        QStringLiteral("≤ 2 ms"), 500, 1, roundTrip);
    if (failures > 0) {
        std::fprintf(stderr, "bench_service: %d round trips failed\n", failures);
        return 1;
    }
    return 0;
}
