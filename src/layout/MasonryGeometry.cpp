#include "MasonryGeometry.h"

#include <limits>

namespace {

// Ties go to the second argument, which std::max does not promise.
double larger(double a, double b)
{
    return b >= a ? b : a;
}

} // namespace

QSizeF MasonryGeometry::measure(std::span<const QSizeF> sizes, std::optional<double> availableWidth)
{
    const double width = availableWidth.value_or(std::numeric_limits<double>::infinity());
    double x = 0;
    double y = 0;
    double rowHeight = 0;
    double totalHeight = 0;
    for (const QSizeF &size : sizes) {
        // Deliberately no exception for an empty row: a tile wider than the width still moves
        // down one gap, exactly as place() does.
        if (x + size.width() > width) {
            x = 0;
            y += rowHeight + gap;
            rowHeight = 0;
        }
        rowHeight = larger(rowHeight, size.height());
        totalHeight = larger(totalHeight, y + rowHeight);
        x += size.width() + gap;
    }
    return QSizeF(width, totalHeight);
}

std::vector<QPointF> MasonryGeometry::place(
    std::span<const QSizeF> sizes, double minX, double minY, double maxX)
{
    std::vector<QPointF> positions;
    positions.reserve(sizes.size());
    double x = minX;
    double y = minY;
    double rowHeight = 0;
    for (const QSizeF &size : sizes) {
        if (x + size.width() > maxX) {
            x = minX;
            y += rowHeight + gap;
            rowHeight = 0;
        }
        positions.emplace_back(x, y);
        rowHeight = larger(rowHeight, size.height());
        x += size.width() + gap;
    }
    return positions;
}
