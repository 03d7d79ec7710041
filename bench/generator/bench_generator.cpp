// How long the generation service takes to invent one face, without HTTP.
#include "BenchTable.h"
#include "FaceComposer.h"
#include "GenerationRequest.h"
#include "PromptReader.h"

#include <QStringList>

using namespace std::chrono_literals;

int main()
{
    const QStringList prompts { "happy cat", "sleepy cat", "angry bear", "love", "xyzzy",
        "very angry table flip", "sleepy love fish", "pig eating pizza at a birthday party",
        "not happy", "I LOVE CATS!!" };
    FaceComposer composer(1);
    qsizetype next = 0;
    const auto nextPrompt = [&] { return prompts[next++ % prompts.size()]; };

    BenchTable::measure(QStringLiteral("generator: compose one face from a prompt"), 100us, 200,
        100, [&] { composer.compose(nextPrompt()); });

    QString longPrompt;
    while (longPrompt.size() < 490)
        longPrompt += QStringLiteral("sleepy happy kitten ");
    BenchTable::measure(QStringLiteral("generator: compose from a 490-character prompt"), 100us,
        100, 20, [&] { composer.compose(longPrompt); });

    // Unknown words are the slow case: every ending is tried before giving up.
    QString unknownWords;
    while (unknownWords.size() < 490)
        unknownWords += QStringLiteral("frobnicating quuxes wibbled ");
    BenchTable::measure(QStringLiteral("generator: compose, 490 characters of unknown words"),
        100us, 100, 20, [&] { composer.compose(unknownWords); });

    BenchTable::measure(QStringLiteral("generator: read a prompt (PromptReader)"), 50us, 200, 100,
        [&] { PromptReader::read(nextPrompt()); });

    const QByteArray body = R"({"prompt":"sleepy cat"})";
    BenchTable::measure(QStringLiteral("generator: check a request body"), 20us, 200, 100,
        [&] { GenerationRequest::fromBody(body); });
    return 0;
}
