#include "TileFinder.h"

#include <QHash>
#include <QStringList>
#include <algorithm>
#include <cstdlib>

namespace {

// Anti-aliased edges and faint separators differ from the background by a few steps only.
constexpr int colourTolerance = 10;

QRgb mostCommonColour(const QImage &image)
{
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            ++counts[line[x] & RGB_MASK];
    }
    QRgb best = 0;
    int bestCount = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > bestCount) {
            best = it.key();
            bestCount = it.value();
        }
    }
    return best;
}

} // namespace

TileFinder::TileFinder(const QImage &window)
    : m_image(window.convertToFormat(QImage::Format_RGB32))
{
    if (m_image.isNull())
        return;
    m_background = mostCommonColour(m_image);
    findBands();
}

bool TileFinder::isContent(int x, int y) const
{
    const QRgb pixel = m_image.pixel(x, y);
    return std::abs(qRed(pixel) - qRed(m_background)) > colourTolerance
        || std::abs(qGreen(pixel) - qGreen(m_background)) > colourTolerance
        || std::abs(qBlue(pixel) - qBlue(m_background)) > colourTolerance;
}

void TileFinder::findBands()
{
    const int width = std::max(0, m_image.width() - scrollBarWidth);
    QRect band;
    for (int y = 0; y < m_image.height(); ++y) {
        int left = width;
        int right = -1;
        for (int x = 0; x < width; ++x) {
            if (isContent(x, y)) {
                left = std::min(left, x);
                right = x;
            }
        }
        if (right < 0) {
            if (band.isValid())
                m_bands.push_back(band);
            band = QRect();
            continue;
        }
        const QRect row(left, y, right - left + 1, 1);
        band = band.isValid() ? band.united(row) : row;
    }
    if (band.isValid())
        m_bands.push_back(band);
}

std::optional<QPoint> TileFinder::searchField() const
{
    if (m_bands.empty())
        return std::nullopt;
    const QRect header = m_bands.front();
    return QPoint(header.left() + std::min(12, header.width() / 2), header.center().y());
}

std::optional<QPoint> TileFinder::firstTile() const
{
    // The first band is the header; its search field may be as low as a line of text.
    for (size_t i = 1; i + 1 < m_bands.size(); ++i) {
        if (m_bands[i].height() > tallestTitleLine)
            continue;
        const QRect row = m_bands[i + 1];
        if (row.height() < shortestTileRow || row.height() > tallestTileRow)
            return std::nullopt;
        return QPoint(row.left() + std::min(6, row.width() / 2), row.center().y());
    }
    return std::nullopt;
}

QString TileFinder::describe() const
{
    QStringList lines;
    lines.append(
        QStringLiteral("background #%1").arg(m_background & RGB_MASK, 6, 16, QLatin1Char('0')));
    for (const QRect &band : m_bands) {
        lines.append(QStringLiteral("band y %1..%2, x %3..%4")
                         .arg(band.top())
                         .arg(band.bottom())
                         .arg(band.left())
                         .arg(band.right()));
    }
    return lines.join(QLatin1Char('\n'));
}
