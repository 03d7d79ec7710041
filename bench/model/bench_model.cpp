#include "BenchTable.h"
#include "KaomojiData.h"
#include "KaomojiJson.h"
#include "MemoryPreferences.h"

#include <QCoreApplication>

// The store behind every keystroke: a filter that misses its cache, one that hits it, and
// building the store at start-up.
using namespace std::chrono_literals;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);

    MemoryPreferences preferences;
    KaomojiList custom, recent;
    for (int i = 0; i < 20; ++i)
        custom.append(Kaomoji::create(QStringLiteral("(custom %1 ^_^)").arg(i), "Custom"));
    KaomojiData seed(preferences);
    for (int i = 0; i < 5; ++i)
        recent.append(seed.presetKaomojis().value("Joy").at(i));
    preferences.setData(KaomojiData::customKey, std::get<QByteArray>(KaomojiJson::encode(custom)));
    preferences.setData(
        KaomojiData::recentlyUsedKey, std::get<QByteArray>(KaomojiJson::encode(recent)));

    // Every query is new to the cache: 1 to 3 letters, as people start typing.
    const QString letters = QStringLiteral("acehilmnoprstuwy");
    QStringList queries;
    for (const QChar a : letters) {
        queries.append(QString(a));
        for (const QChar b : letters) {
            queries.append(QString(a) + b);
            queries.append(QString(a) + b + letters[(a.unicode() + b.unicode()) % letters.size()]);
        }
    }

    KaomojiData store(preferences);
    qsizetype next = 0;
    BenchTable::measure(QStringLiteral("filter, cache miss (1-3 letters, whole catalog)"), 50us,
        int(queries.size()), 1, [&] { store.filteredKaomojis(queries[next++], {}); });

    store.filteredKaomojis(QStringLiteral("cat"), {});
    BenchTable::measure(QStringLiteral("filter, cache hit"), 1us, 200, 1000,
        [&] { store.filteredKaomojis(QStringLiteral("cat"), {}); });

    BenchTable::measure(QStringLiteral("store built (catalog + both lists loaded)"), 2ms, 200, 1,
        [&] { KaomojiData built(preferences); });
    return 0;
}
