// What the end-to-end scripts cannot see with xdotool and xclip alone, on the X display of
// $DISPLAY:
//
//   pelmora-window-probe shot FILE.png [WINDOW [X Y WIDTH HEIGHT]]
//                                                 saves a picture of the window (0: the screen),
//                                                 or of a part of it
//   pelmora-window-probe first-tile WINDOW        prints "X Y", a point inside the first result
//                                                 tile, in the window's coordinates
//   pelmora-window-probe search-field WINDOW      the same for the search field
//   pelmora-window-probe first-tile|search-field FILE.png
//                                                 the same in a picture of the window taken
//                                                 elsewhere (a Wayland compositor's grim)
//   pelmora-window-probe setting FILE KEY         prints the value of KEY in the settings FILE
//
// The points are found from the picture alone, so no pixel offset of the layout is assumed and
// the probe survives changes of paddings and fonts. The window reads as horizontal bands of
// content on its plain background: the header with the search field, the chips, then per
// section a title line followed by rows of tiles.

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QSettings>
#include <QThread>
#include <cstdio>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// Animations (the fade-in, sections coming in) settle well within this on a loaded machine.
constexpr int settleTimeoutMs = 10000;
constexpr int settleStepMs = 150;
// Anti-aliased edges and faint separators differ from the background by a few steps only.
constexpr int colourTolerance = 10;
// A title line is one line of text; tiles and chips carry padding around their text, unless
// their background is the window's own.
constexpr int tallestTitleLine = 22;
constexpr int shortestTileRow = 6;
constexpr int tallestTileRow = 64;
// The vertical scroll bar may show at the right edge; it is not part of any band.
constexpr int scrollBarWidth = 14;

int usage()
{
    std::fputs("usage: pelmora-window-probe shot FILE.png [WINDOW [X Y WIDTH HEIGHT]]\n"
               "       pelmora-window-probe first-tile|search-field WINDOW\n"
               "       pelmora-window-probe setting FILE KEY\n",
        stderr);
    return 2;
}

QImage grab(WId window, const QRect &part = QRect(0, 0, -1, -1))
{
    return QGuiApplication::primaryScreen()
        ->grabWindow(window, part.x(), part.y(), part.width(), part.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// Rows holding anything but the background, top to bottom, each with the columns it spans.
std::vector<QRect> bandsOf(const QImage &image)
{
    if (image.isNull())
        return {};
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    }
    const QRgb background = std::max_element(
        counts.keyValueBegin(), counts.keyValueEnd(), [](const auto &a, const auto &b) {
            return a.second < b.second;
        })->first;
    const auto isContent = [&](QRgb pixel) {
        return std::abs(qRed(pixel) - qRed(background)) > colourTolerance
            || std::abs(qGreen(pixel) - qGreen(background)) > colourTolerance
            || std::abs(qBlue(pixel) - qBlue(background)) > colourTolerance;
    };

    std::vector<QRect> bands;
    QRect band;
    for (int y = 0; y < image.height(); ++y) {
        QRect row;
        for (int x = 0; x < image.width() - scrollBarWidth; ++x) {
            if (isContent(image.pixel(x, y)))
                row |= QRect(x, y, 1, 1);
        }
        if (row.isValid()) {
            band |= row;
        } else if (band.isValid()) {
            bands.push_back(band);
            band = QRect();
        }
    }
    if (band.isValid())
        bands.push_back(band);
    return bands;
}

// The search field leads the header, the first band.
std::optional<QPoint> searchField(const std::vector<QRect> &bands)
{
    if (bands.empty())
        return std::nullopt;
    return QPoint(bands[0].left() + std::min(12, bands[0].width() / 2), bands[0].center().y());
}

// The first tile starts the band that follows the first title line below the header.
std::optional<QPoint> firstTile(const std::vector<QRect> &bands)
{
    for (size_t i = 1; i + 1 < bands.size(); ++i) {
        if (bands[i].height() > tallestTitleLine)
            continue;
        const QRect row = bands[i + 1];
        if (row.height() < shortestTileRow || row.height() > tallestTileRow)
            return std::nullopt;
        return QPoint(row.left() + std::min(6, row.width() / 2), row.center().y());
    }
    return std::nullopt;
}

// Waits until everything below the header is still (the search field's cursor may blink
// above it), then prints the point.
int printPoint(WId window, const QString &picture, bool wantsTile)
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    QImage previous =
        picture.isEmpty() ? grab(window) : QImage(picture).convertToFormat(QImage::Format_RGB32);
    for (;;) {
        // A picture taken elsewhere is as still as it gets.
        if (picture.isEmpty())
            QThread::msleep(settleStepMs);
        const QImage current = picture.isEmpty() ? grab(window) : previous;
        const std::vector<QRect> bands = bandsOf(current);
        const int headerBottom = bands.empty() ? 0 : bands.front().bottom() + 1;
        const QRect below(0, headerBottom, current.width(), current.height() - headerBottom);
        const bool settled = !current.isNull() && previous.copy(below) == current.copy(below);
        if (!settled && sinceStart.elapsed() <= settleTimeoutMs) {
            previous = current;
            continue;
        }
        if (const auto point = wantsTile ? firstTile(bands) : searchField(bands)) {
            std::printf("%d %d\n", point->x(), point->y());
            return 0;
        }
        std::fprintf(stderr, "pelmora-window-probe: no %s in the window (%s); its bands:\n",
            wantsTile ? "result tile" : "search field", settled ? "settled" : "still moving");
        for (const QRect &band : bands)
            std::fprintf(stderr, "  y %d..%d, x %d..%d\n", band.top(), band.bottom(), band.left(),
                band.right());
        return 1;
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
    std::printf("%s\n", settings.value(key).toByteArray().constData());
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const QString command = arguments.value(0);
    if (command == "setting"_L1 && arguments.size() == 3)
        return printSetting(arguments[1], arguments[2]);

    QGuiApplication application(argc, argv);
    const bool findsPoint = command == "first-tile"_L1 || command == "search-field"_L1;
    if (findsPoint && arguments.value(1).endsWith(".png"_L1))
        return printPoint(0, arguments[1], command == "first-tile"_L1);
    // A shot names its file first and may leave the window out: 0, the whole screen.
    bool ok = false;
    const WId window = arguments.value(command == "shot"_L1 ? 2 : 1, u"0"_s).toULongLong(&ok, 0);
    if (!ok)
        return usage();
    if (command == "shot"_L1 && QList { 2, 3, 7 }.contains(arguments.size())) {
        QRect part(0, 0, -1, -1);
        if (arguments.size() == 7)
            part = QRect(arguments[3].toInt(), arguments[4].toInt(), arguments[5].toInt(),
                arguments[6].toInt());
        if (grab(window, part).save(arguments[1], "PNG"))
            return 0;
        std::fprintf(stderr, "pelmora-window-probe: could not save a picture to %s\n",
            qPrintable(arguments[1]));
        return 1;
    }
    if (findsPoint && arguments.size() == 2)
        return printPoint(window, {}, command == "first-tile"_L1);
    return usage();
}
