#include "TextInk.h"

#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>

TextInk::Line TextInk::measure(const QString &text, const QFont &font)
{
    QTextLayout layout(text, font);
    // As Text lays out with Qt's own rendering.
    QTextOption option;
    option.setUseDesignMetrics(true);
    layout.setTextOption(option);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    if (!line.isValid())
        return {};
    Line measured { QSizeF(layout.maximumWidth(), line.height()), {} };
    for (const QGlyphRun &run : line.glyphRuns()) {
        const QRawFont glyphFont = run.rawFont();
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < glyphs.size(); ++i)
            measured.ink |= glyphFont.boundingRect(glyphs[i]).translated(positions[i]);
    }
    return measured;
}

QRectF TextInk::bounds(const QString &text, const QFont &font) const
{
    return measure(text, font).ink;
}
