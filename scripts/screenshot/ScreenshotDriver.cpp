// pelmora-screenshot [--dark] DIRECTORY: pictures of the real picker window for `make screenshot`
// and the README, one PNG per state: results-*.png (recently used faces and a generated one
// sparkling in "Custom"), form-*.png (the custom form after a failed generation) and
// empty-*.png (nothing matches "zzzzqq"), * being light or dark. The window is the app's own
// (PickerWindow, KaomojiView, the views) on a store of its own; --dark gives it a dark palette,
// which the views follow as they follow the desktop's.

#include "DesktopPaster.h"
#include "DesktopUrlOpener.h"
#include "KaomojiData.h"
#include "KaomojiView.h"
#include "PickerWindow.h"
#include "QtAppLifecycle.h"
#include "QtMainQueue.h"
#include "SettingsPreferences.h"
#include "SystemClipboard.h"
#include "SystemPointerCursor.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPalette>
#include <QTemporaryDir>
#include <QTimer>
#include <QtQml/qqmlextensionplugin.h>
#include <cstdio>
#include <functional>

Q_IMPORT_QML_PLUGIN(PelmoraPlugin)
Q_IMPORT_QML_PLUGIN(Pelmora_LayoutPlugin)

namespace {

// Past the first opening's fade-in and the sections' entrance.
constexpr int settleMs = 900;

void wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool waitFor(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        wait(20);
    }
    return true;
}

QPalette darkPalette()
{
    const QColor window(0x1f, 0x1f, 0x22);
    const QColor control(0x2c, 0x2c, 0x30);
    const QColor text(0xe8, 0xe8, 0xea);
    const QColor dimmed(0x8a, 0x8a, 0x90);
    QPalette palette(text, control, control.lighter(130), window.darker(130), control.darker(110),
        text, text, control, window);
    palette.setColor(QPalette::AlternateBase, control.lighter(110));
    palette.setColor(QPalette::Highlight, QColor(0x0a, 0x84, 0xff));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::PlaceholderText, dimmed);
    palette.setColor(QPalette::ToolTipBase, control);
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::Link, QColor(0x4c, 0xa2, 0xff));
    for (const auto role : { QPalette::WindowText, QPalette::Text, QPalette::ButtonText })
        palette.setColor(QPalette::Disabled, role, dimmed);
    return palette;
}

Kaomoji preset(const KaomojiData &data, const QString &category, int index)
{
    return data.presetKaomojis().value(category).value(index);
}

bool save(PickerWindow &window, const QString &path)
{
    const QImage image = window.grabWindow();
    if (image.isNull() || !image.save(path, "PNG")) {
        std::fprintf(stderr, "pelmora-screenshot: could not write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    QApplication application(argc, argv);
    QStringList arguments = application.arguments().mid(1);
    const bool dark = arguments.removeAll(QStringLiteral("--dark")) > 0;
    if (arguments.size() != 1) {
        std::fputs("usage: pelmora-screenshot [--dark] DIRECTORY\n", stderr);
        return 2;
    }
    const QDir directory(arguments.constFirst());
    const QString appearance = dark ? QStringLiteral("dark") : QStringLiteral("light");
    if (dark)
        QGuiApplication::setPalette(darkPalette());

    QTemporaryDir settingsDirectory;
    SettingsPreferences preferences(settingsDirectory.filePath(QStringLiteral("Pelmora.conf")));
    SystemClipboard clipboard;
    DesktopUrlOpener urlOpener;
    SystemPointerCursor pointerCursor;
    QtAppLifecycle appLifecycle;
    QtMainQueue mainQueue;
    const std::unique_ptr<Paster> paster = DesktopPaster::forThisDesktop(preferences);
    KaomojiView view(
        preferences, { clipboard, urlOpener, pointerCursor, appLifecycle, mainQueue, *paster });
    // Nothing listens on the discard port: generating fails at once, as it does offline.
    view.setGenerationEndpoint(QUrl(QStringLiteral("http://127.0.0.1:9/api/generate-kaomoji.js")));

    // A lived-in store: a few faces used lately, newest first, and a generated one, which
    // sparkles until the next use.
    KaomojiData &data = view.kaomojiData();
    data.addToRecentlyUsed(preset(data, QStringLiteral("Love"), 1));
    data.addToRecentlyUsed(preset(data, QStringLiteral("Joy"), 5));
    data.addToRecentlyUsed(preset(data, QStringLiteral("Cat"), 0));
    data.addAIKaomoji(QStringLiteral("ʕ•ᴥ•ʔ✧"));

    PickerWindow window(PickerWindow::Mode::Standalone);
    if (!window.load(QUrl(QStringLiteral("qrc:/qt/qml/Pelmora/Main.qml")),
            { { QStringLiteral("view"), QVariant::fromValue(&view) } })) {
        std::fprintf(stderr, "pelmora-screenshot: the window could not be built:\n%s\n",
            qPrintable(window.errorString()));
        return 1;
    }
    window.show();
    view.appear();
    wait(settleMs);
    if (!save(window, directory.filePath(QStringLiteral("results-%1.png").arg(appearance))))
        return 1;

    view.setSearchText(QStringLiteral("sleeping"));
    view.generateAIKaomoji();
    if (!waitFor([&] { return !view.isGeneratingAI(); }, 10000)) {
        std::fputs("pelmora-screenshot: the failing generation did not end\n", stderr);
        return 1;
    }
    view.setShowingCustomForm(true);
    wait(settleMs);
    if (!save(window, directory.filePath(QStringLiteral("form-%1.png").arg(appearance))))
        return 1;

    view.setShowingCustomForm(false);
    view.setSearchText(QStringLiteral("zzzzqq"));
    wait(settleMs);
    if (!save(window, directory.filePath(QStringLiteral("empty-%1.png").arg(appearance))))
        return 1;
    return 0;
}
