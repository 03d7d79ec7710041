// What the end-to-end scripts cannot see with xdotool and xclip alone, on the X display of
// $DISPLAY:
//
//   pelmora-window-probe shot FILE.png [WINDOW [X Y WIDTH HEIGHT]]
//                                                 saves a picture of the window (0: the screen),
//                                                 or of a part of it
//   pelmora-window-probe first-tile WINDOW        prints "X Y", a point inside the first result
//                                                 tile, in the window's coordinates
//   pelmora-window-probe search-field WINDOW      the same for the search field
//   pelmora-window-probe setting FILE KEY         prints the value of KEY in the settings FILE

#include "TileFinder.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QSettings>
#include <QThread>
#include <cstdio>
#include <cstring>

namespace {

// Animations (the fade-in, sections coming in) settle well within this on a loaded machine.
constexpr int settleTimeoutMs = 10000;
constexpr int settleStepMs = 150;

int usage()
{
    std::fputs("usage: pelmora-window-probe shot FILE.png [WINDOW [X Y WIDTH HEIGHT]]\n"
               "       pelmora-window-probe first-tile WINDOW\n"
               "       pelmora-window-probe search-field WINDOW\n"
               "       pelmora-window-probe setting FILE KEY\n",
        stderr);
    return 2;
}

bool parseWindow(const QString &text, WId *window)
{
    bool ok = false;
    *window = WId(text.toULongLong(&ok, 0));
    if (!ok)
        std::fprintf(stderr, "pelmora-window-probe: '%s' is not a window id\n", qPrintable(text));
    return ok;
}

QImage grab(WId window, const QRect &part = QRect(0, 0, -1, -1))
{
    return QGuiApplication::primaryScreen()
        ->grabWindow(window, part.x(), part.y(), part.width(), part.height())
        .toImage();
}

int saveShot(const QString &file, WId window, const QRect &part)
{
    const QImage image = grab(window, part);
    if (image.isNull() || !image.save(file, "PNG")) {
        std::fprintf(
            stderr, "pelmora-window-probe: could not save a picture to %s\n", qPrintable(file));
        return 1;
    }
    return 0;
}

// Everything below the header is still: the search field's cursor may blink above it.
bool sameBelow(const QImage &a, const QImage &b, int top)
{
    if (a.size() != b.size() || a.isNull())
        return false;
    for (int y = top; y < a.height(); ++y) {
        if (std::memcmp(a.constScanLine(y), b.constScanLine(y), size_t(a.bytesPerLine())) != 0)
            return false;
    }
    return true;
}

enum class Target { FirstTile, SearchField };

int printPoint(WId window, Target target)
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    QImage previous = grab(window).convertToFormat(QImage::Format_RGB32);
    for (;;) {
        QThread::msleep(settleStepMs);
        const QImage current = grab(window).convertToFormat(QImage::Format_RGB32);
        const TileFinder finder(current);
        const int headerBottom = finder.bands().empty() ? 0 : finder.bands().front().bottom() + 1;
        const bool settled = sameBelow(previous, current, headerBottom);
        if (settled || sinceStart.elapsed() > settleTimeoutMs) {
            const auto point =
                target == Target::FirstTile ? finder.firstTile() : finder.searchField();
            if (point) {
                std::printf("%d %d\n", point->x(), point->y());
                return 0;
            }
            std::fprintf(stderr, "pelmora-window-probe: no %s in the window (%s):\n%s\n",
                target == Target::FirstTile ? "result tile" : "search field",
                settled ? "settled" : "still moving", qPrintable(finder.describe()));
            return 1;
        }
        previous = current;
    }
}

int printSetting(const QString &file, const QString &key)
{
    const QSettings settings(file, QSettings::IniFormat);
    if (!settings.contains(key)) {
        std::fprintf(
            stderr, "pelmora-window-probe: %s holds no %s\n", qPrintable(file), qPrintable(key));
        return 1;
    }
    const QByteArray value = settings.value(key).toByteArray();
    std::fwrite(value.constData(), 1, size_t(value.size()), stdout);
    std::fputc('\n', stdout);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const QStringList arguments = [&] {
        QStringList list;
        for (int i = 1; i < argc; ++i)
            list.append(QString::fromLocal8Bit(argv[i]));
        return list;
    }();
    if (arguments.size() == 3 && arguments[0] == QLatin1String("setting"))
        return printSetting(arguments[1], arguments[2]);

    QGuiApplication application(argc, argv);
    WId window = 0;
    if (arguments.size() >= 2 && arguments[0] == QLatin1String("shot")) {
        if (arguments.size() >= 3 && !parseWindow(arguments[2], &window))
            return 2;
        QRect part(0, 0, -1, -1);
        if (arguments.size() == 7) {
            part = QRect(arguments[3].toInt(), arguments[4].toInt(), arguments[5].toInt(),
                arguments[6].toInt());
        } else if (arguments.size() != 2 && arguments.size() != 3) {
            return usage();
        }
        return saveShot(arguments[1], window, part);
    }
    if (arguments.size() == 2 && arguments[0] == QLatin1String("first-tile")) {
        if (!parseWindow(arguments[1], &window))
            return 2;
        return printPoint(window, Target::FirstTile);
    }
    if (arguments.size() == 2 && arguments[0] == QLatin1String("search-field")) {
        if (!parseWindow(arguments[1], &window))
            return 2;
        return printPoint(window, Target::SearchField);
    }
    return usage();
}
