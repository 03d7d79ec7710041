#include "TrayIconRenderer.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>

namespace {

// Fonts known to draw U+2A4A, in order of preference: Asana Math's heavy bullets stay
// readable at 16 pixels.
const char *const candidateFamilies[] = { "Asana Math", "Symbola", "Noto Sans Math" };

bool coversEveryCharacter(const QRawFont &font, const QString &text)
{
    for (const char32_t character : text.toUcs4()) {
        if (!font.supportsCharacter(character))
            return false;
    }
    return true;
}

} // namespace

QList<int> TrayIconRenderer::sizes()
{
    return { 16, 22, 24, 32, 48, 64 };
}

QIcon TrayIconRenderer::render(const QString &text, const QColor &color)
{
    const QPainterPath outline = outlineOf(text);
    QIcon icon;
    for (const int size : sizes()) {
        icon.addPixmap(draw(outline, color, size, 1.0));
        icon.addPixmap(draw(outline, color, size, 2.0));
    }
    return icon;
}

QPixmap TrayIconRenderer::renderPixmap(
    const QString &text, const QColor &color, int size, qreal devicePixelRatio)
{
    return draw(outlineOf(text), color, size, devicePixelRatio);
}

QPainterPath TrayIconRenderer::outlineOf(const QString &text)
{
    // Outlines scale without the steps of hinted font sizes, so the text can fill the width
    // exactly at every size.
    QFont font = fontFor(text);
    font.setPixelSize(64);
    QPainterPath path;
    path.addText(0, 0, font, text);
    return path;
}

QPixmap TrayIconRenderer::draw(
    const QPainterPath &path, const QColor &color, int size, qreal devicePixelRatio)
{
    const int side = qRound(size * devicePixelRatio);
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);

    const QRectF ink = path.boundingRect();
    if (!ink.isEmpty()) {
        const qreal margin = side >= 32 ? side / 32.0 : 0.0;
        const qreal available = side - 2 * margin;
        const qreal scale = std::min(available / ink.width(), available / ink.height());
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.translate(side / 2.0, side / 2.0);
        painter.scale(scale, scale);
        painter.translate(-ink.center());
        painter.fillPath(path, color);
    }

    QPixmap pixmap = QPixmap::fromImage(std::move(image));
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

QFont TrayIconRenderer::fontFor(const QString &text)
{
    const QStringList installed = QFontDatabase::families();
    for (const char *family : candidateFamilies) {
        const QString name = QString::fromLatin1(family);
        if (!installed.contains(name))
            continue;
        QFont font(name);
        if (coversEveryCharacter(QRawFont::fromFont(font), text))
            return font;
    }
    return QGuiApplication::font();
}
