#include "SymbolImage.h"

#include <QImage>
#include <QPainter>
#include <QQuickWindow>

SymbolImage::SymbolImage(QQuickItem *parent)
    : QQuickPaintedItem(parent)
{
}

QString SymbolImage::resourcePath(const QString &name)
{
    return QStringLiteral(":/qt/qml/Pelmora/icons/%1.svg").arg(name);
}

void SymbolImage::setName(const QString &name)
{
    if (m_name == name)
        return;
    m_name = name;
    if (!m_renderer.load(resourcePath(name)))
        qWarning("SymbolImage: there is no symbol named '%s'", qPrintable(name));
    const QSize size = m_renderer.isValid() ? m_renderer.defaultSize() : QSize();
    setImplicitSize(size.width(), size.height());
    emit nameChanged();
    update();
}

void SymbolImage::setColor(const QColor &color)
{
    if (m_color == color)
        return;
    m_color = color;
    emit colorChanged();
    update();
}

void SymbolImage::paint(QPainter *painter)
{
    if (!m_renderer.isValid() || width() <= 0 || height() <= 0)
        return;
    QSizeF symbolSize = m_renderer.viewBoxF().size();
    symbolSize.scale(size(), Qt::KeepAspectRatio);
    const QRectF target(
        QPointF((width() - symbolSize.width()) / 2, (height() - symbolSize.height()) / 2),
        symbolSize);

    // The SVG only gives the shape: draw it alone, then paint the colour into its pixels.
    const qreal ratio = window() ? window()->effectiveDevicePixelRatio() : 1.0;
    QImage shape((size() * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    shape.setDevicePixelRatio(ratio);
    shape.fill(Qt::transparent);
    QPainter shapePainter(&shape);
    shapePainter.setRenderHint(QPainter::Antialiasing);
    m_renderer.render(&shapePainter, target);
    shapePainter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    shapePainter.fillRect(QRectF(QPointF(0, 0), size()), m_color);
    shapePainter.end();
    painter->drawImage(QPointF(0, 0), shape);
}
