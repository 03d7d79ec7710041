#pragma once

#include <QPointF>
#include <QSizeF>
#include <optional>
#include <span>
#include <vector>

// The row-wrapping arithmetic behind the rows of results, free of any Qt Quick plumbing: tiles
// flow left to right at their natural sizes, a tile that would cross the right edge starts a new
// row, and every row is as tall as its tallest tile.
class MasonryGeometry {
public:
    // Between neighbouring tiles of a row and between rows alike.
    static constexpr double gap = 8.0;

    // Size of the container for the given tiles: the width is always the available width (positive
    // infinity when none is given, so nothing wraps), the height is the bottom of the lowest row.
    static QSizeF measure(std::span<const QSizeF> sizes, std::optional<double> availableWidth);

    // Top-left corner of every tile, in the order given, inside bounds whose left, top and right
    // edges are minX, minY and maxX.
    static std::vector<QPointF> place(
        std::span<const QSizeF> sizes, double minX, double minY, double maxX);
};
