#include "TrayIconRenderer.h"

#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cmath>

namespace {

// The drawn pictures under a theme icon's name.
class NamedPictures final : public QIconEngine {
public:
    NamedPictures(QIcon pictures, QString name)
        : m_pictures(std::move(pictures))
        , m_name(std::move(name))
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        m_pictures.paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return m_pictures.pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(
        const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        // Asked in device pixels.
        return m_pictures.pixmap((QSizeF(size) / scale).toSize(), scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return m_pictures.availableSizes(mode, state);
    }
    QString iconName() override { return m_name; }
    QString key() const override { return QStringLiteral("NamedPictures"); }
    QIconEngine *clone() const override { return new NamedPictures(m_pictures, m_name); }

private:
    QIcon m_pictures;
    QString m_name;
};

QSvgRenderer &face()
{
    static QSvgRenderer renderer(QStringLiteral(":/pelmora/pelmora-symbolic.svg"));
    return renderer;
}

// Where the face's shapes lie within the artwork, as fractions of its square: the icon leaves
// room around them that a tray picture does not need.
QRectF inkOfFace()
{
    static const QRectF ink = [] {
        QImage probe(256, 256, QImage::Format_ARGB32_Premultiplied);
        probe.fill(Qt::transparent);
        QPainter painter(&probe);
        face().render(&painter);
        painter.end();
        QRect bounds;
        for (int y = 0; y < probe.height(); ++y) {
            for (int x = 0; x < probe.width(); ++x)
                bounds |= qAlpha(probe.pixel(x, y)) ? QRect(x, y, 1, 1) : QRect();
        }
        return QRectF(bounds.x() / 256.0, bounds.y() / 256.0, bounds.width() / 256.0,
            bounds.height() / 256.0);
    }();
    return ink;
}

// The face's shapes in `color`, as large as a square of `side` pixels allows with `margin`
// left around them, in its middle.
QImage shapes(const QColor &color, int side, qreal margin)
{
    const QRectF ink = inkOfFace();
    const qreal scale = (side - 2 * margin) / std::max(ink.width(), ink.height());
    const QSizeF drawn = ink.size() * scale;
    const QPointF origin((side - drawn.width()) / 2 - ink.x() * scale,
        (side - drawn.height()) / 2 - ink.y() * scale);
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    face().render(&painter, QRectF(origin, QSizeF(scale, scale)));
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(image.rect(), color);
    return image;
}

} // namespace

QList<int> TrayIconRenderer::sizes()
{
    return { 16, 22, 24, 32, 48, 64 };
}

QIcon TrayIconRenderer::render(const QColor &color, const QString &themeName)
{
    QIcon icon;
    for (const int size : sizes()) {
        icon.addPixmap(renderPixmap(color, size, 1.0));
        icon.addPixmap(renderPixmap(color, size, 2.0));
    }
    return themeName.isEmpty() ? icon : QIcon(new NamedPictures(icon, themeName));
}

QColor TrayIconRenderer::outlineColorFor(const QColor &color)
{
    return color.lightnessF() > 0.5 ? QColor(0x20, 0x20, 0x20, 235) : QColor(255, 255, 255, 235);
}

QPixmap TrayIconRenderer::renderPixmap(const QColor &color, int size, qreal devicePixelRatio)
{
    const int side = qRound(size * devicePixelRatio);
    // A ring about one pixel wide at the usual sizes: the face's shapes in the outline colour,
    // stamped around a small circle, under the face itself. The artwork leaves a pixel's room.
    const qreal ring = std::max(1.0, side / 14.0);
    const QImage outline = shapes(outlineColorFor(color), side, ring);
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    for (int step = 0; step < 16; ++step) {
        const qreal angle = step * M_PI / 8;
        painter.drawImage(QPointF(ring * std::cos(angle), ring * std::sin(angle)), outline);
    }
    painter.drawImage(0, 0, shapes(color, side, ring));
    painter.end();
    QPixmap pixmap = QPixmap::fromImage(std::move(image));
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}
