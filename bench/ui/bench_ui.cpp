#include "AppLifecycle.h"
#include "BenchTable.h"
#include "Clipboard.h"
#include "KaomojiCategories.h"
#include "KaomojiData.h"
#include "KaomojiView.h"
#include "MainQueue.h"
#include "MemoryPreferences.h"
#include "PointerCursor.h"
#include "UrlOpener.h"

#include <QCoreApplication>
#include <QEvent>

namespace {

// The desktop is not part of what is measured.
class QuietPlatform final : public Clipboard,
                            public UrlOpener,
                            public PointerCursor,
                            public AppLifecycle,
                            public MainQueue {
public:
    PlatformServices services() { return { *this, *this, *this, *this, *this }; }
    void copyText(const QString &) override { }
    void openUrl(const QUrl &) override { }
    void pushPointingHand() override { }
    void pop() override { }
    void quit() override { }
    void runAfter(int, QObject *, std::function<void()>) override { }
};

// Typing and erasing words, as a user looks for a face.
const QStringList keystrokes = {
    "c",
    "ca",
    "cat",
    "ca",
    "c",
    "",
    "h",
    "ha",
    "hap",
    "happ",
    "happy",
    "happ",
    "hap",
    "ha",
    "h",
    "",
    "s",
    "sa",
    "sad",
    "sa",
    "s",
    "",
    "l",
    "lo",
    "lov",
    "love",
    "lov",
    "lo",
    "l",
    "",
};

void releaseRemovedSections()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    MemoryPreferences preferences;
    QuietPlatform platform;
    KaomojiView view(preferences, platform.services());
    KaomojiData &store = view.kaomojiData();

    // A user's usual lists beside the whole catalog.
    for (int index = 0; index < 12; ++index)
        store.addCustomKaomoji(
            Kaomoji::create(QStringLiteral("(cat %1 ^_^)").arg(index), KaomojiCategories::custom));
    const KaomojiGroups presets = store.presetKaomojis();
    for (const char *category : { "Joy", "Cat", "Love", "Sadness", "Bear" })
        store.addToRecentlyUsed(presets.value(category).first());

    // Every keystroke a cache miss: the store's cache is emptied (untimed) before each one.
    std::vector<double> samples;
    for (int run = 0; run < 40; ++run) {
        for (const QString &text : keystrokes) {
            store.setCustomKaomojis(store.customKaomojis());
            releaseRemovedSections();
            QElapsedTimer timer;
            timer.start();
            view.setSearchText(text);
            samples.push_back(double(timer.nsecsElapsed()));
        }
    }
    const BenchTable::Stats cold = BenchTable::statsOf(samples);
    BenchTable::printRow(QStringLiteral("keystroke: results model update (filter + difference)"),
        BenchTable::formatDuration(cold.median), BenchTable::formatDuration(cold.p90),
        QStringLiteral("≤ 0.5 ms"), int(samples.size()));

    // The same words again with the filter results already cached: the difference alone.
    for (const QString &text : keystrokes)
        view.setSearchText(text);
    qsizetype next = 0;
    BenchTable::measure(QStringLiteral("keystroke: results model update, cached filter"),
        QStringLiteral("≤ 0.5 ms"), 200, int(keystrokes.size()), [&] {
            view.setSearchText(keystrokes[next]);
            next = (next + 1) % keystrokes.size();
            releaseRemovedSections();
        });
    return 0;
}
