#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <optional>
#include <vector>

// Finds the first result tile in a picture of the picker window from the picture alone. The
// window reads as horizontal bands of content on its plain background: the header, the chips,
// then per section a title line followed by rows of tiles. The first tile starts the band that
// follows the first title line below the header. No pixel offset of the layout is assumed, so
// the finder survives changes of paddings and fonts.
class TileFinder {
public:
    explicit TileFinder(const QImage &window);

    // Rows holding anything but the background, top to bottom, each with the columns it spans.
    const std::vector<QRect> &bands() const { return m_bands; }

    // A point inside the search field, which leads the header, the first band.
    std::optional<QPoint> searchField() const;

    // A point well inside the first tile, in window coordinates; nothing when the picture shows
    // no title line followed by a row of tiles.
    std::optional<QPoint> firstTile() const;

    // The bands, for a failure message.
    QString describe() const;

    // A title line is one line of text; tiles and chips carry padding around their text, unless
    // their background is the window's own.
    static constexpr int tallestTitleLine = 22;
    static constexpr int shortestTileRow = 6;
    static constexpr int tallestTileRow = 64;
    // The vertical scroll bar may show at the right edge; it is not part of any band.
    static constexpr int scrollBarWidth = 14;

private:
    bool isContent(int x, int y) const;
    void findBands();

    QImage m_image;
    QRgb m_background = 0;
    std::vector<QRect> m_bands;
};
