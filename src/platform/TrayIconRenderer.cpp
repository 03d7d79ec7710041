#include "TrayIconRenderer.h"

#include <QHash>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cmath>

namespace {

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

// The face drawn at each size the first time it is asked for (a tray asks for one or two), under
// a theme icon's name when there is one.
class DrawnFace final : public QIconEngine {
public:
    DrawnFace(QColor color, QString name)
        : m_color(std::move(color))
        , m_name(std::move(name))
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min(rect.width(), rect.height());
        const QRectF square(rect.x() + (rect.width() - side) / 2.0,
            rect.y() + (rect.height() - side) / 2.0, side, side);
        const QPixmap picture = drawn(side, painter->device()->devicePixelRatioF());
        painter->drawPixmap(square, picture, picture.rect());
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        return drawn(std::min(size.width(), size.height()), 1.0);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode, QIcon::State, qreal scale) override
    {
        // Asked in device pixels.
        return drawn(qRound(std::min(size.width(), size.height()) / scale), scale);
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> available;
        for (const int size : TrayIconRenderer::sizes())
            available.append(QSize(size, size));
        return available;
    }
    QString iconName() override { return m_name; }
    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("DrawnFace"); }
    QIconEngine *clone() const override { return new DrawnFace(m_color, m_name); }

private:
    QPixmap drawn(int size, qreal ratio)
    {
        const QString key = QString::number(size) + u'@' + QString::number(ratio);
        auto known = m_drawn.constFind(key);
        if (known == m_drawn.cend())
            known = m_drawn.insert(key, TrayIconRenderer::renderPixmap(m_color, size, ratio));
        return *known;
    }

    QColor m_color;
    QString m_name;
    QHash<QString, QPixmap> m_drawn;
};

} // namespace

QList<int> TrayIconRenderer::sizes()
{
    return { 16, 22, 24, 32, 48, 64 };
}

QIcon TrayIconRenderer::render(const QColor &color, const QString &themeName)
{
    return QIcon(new DrawnFace(color, themeName));
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
