#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QList>
#include <QPainterPath>
#include <QPixmap>

// Draws the tray item's title, a short text emoticon, as an icon: trays on Linux show
// square pictures, not text. The text fills the width of each size and is drawn in one colour.
class TrayIconRenderer {
public:
    // The square sizes trays ask for, in device-independent pixels.
    static QList<int> sizes();

    // Every size at device pixel ratios 1 and 2.
    static QIcon render(const QString &text, const QColor &color);

    static QPixmap renderPixmap(
        const QString &text, const QColor &color, int size, qreal devicePixelRatio);

    // An installed font that has a glyph for every character of `text` (the mouth of
    // "(•⩊•)" is rare), or the application font when none has them all.
    static QFont fontFor(const QString &text);

private:
    static QPainterPath outlineOf(const QString &text);
    static QPixmap draw(
        const QPainterPath &outline, const QColor &color, int size, qreal devicePixelRatio);
};
