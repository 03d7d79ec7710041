#pragma once

#include <QColor>
#include <QIcon>
#include <QList>
#include <QPixmap>

// Draws the tray item's picture: the face (•⩊•) of pelmora-symbolic.svg, bold enough to read at
// 16 pixels, in one colour ringed by a thin outline of the opposite lightness, so that it stands
// out on light, dark and grey panels alike.
class TrayIconRenderer {
public:
    // The square sizes trays ask for, in device-independent pixels.
    static QList<int> sizes();

    // Drawn at each size and device pixel ratio the first time that one is asked for: a start
    // draws only what the tray shows. With a theme name, the icon also carries that name, which
    // panels that look icons up in the desktop's theme (and recolour symbolic ones) show
    // instead of the pictures.
    static QIcon render(const QColor &color, const QString &themeName = {});
    static QPixmap renderPixmap(const QColor &color, int size, qreal devicePixelRatio);
    // The colour of the ring around a face drawn in `color`.
    static QColor outlineColorFor(const QColor &color);
};
