#pragma once

#include <QFont>
#include <QObject>
#include <QRectF>
#include <QtQml/qqmlregistration.h>

// Where the ink of a line of text lies. Marks stacked above or below a face (tears, gun
// barrels) and glyphs from fallback fonts reach well past the line that a Text item is as
// tall as; the views pad their text by the difference so that nothing spills out of a tile.
class TextInk : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON

public:
    using QObject::QObject;

    // One line of text as a Text item lays it out: its natural size and its ink.
    struct Line {
        QSizeF size;
        QRectF ink;
    };
    static Line measure(const QString &text, const QFont &font);

    // The box around every glyph of `text` set in one line in `font`, from the top left of that
    // line, as a Text item lays it out; empty for text without ink.
    Q_INVOKABLE QRectF bounds(const QString &text, const QFont &font) const;
};
