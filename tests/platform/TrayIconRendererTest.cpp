#include "TrayIconRenderer.h"

#include <QGuiApplication>
#include <QImage>
#include <QRawFont>
#include <QTest>

namespace {

const QString face = QStringLiteral("(•⩊•)");

struct Ink {
    QRect bounds;
    int solidPixels = 0;
    bool onlyRequestedColour = true;
};

// Where the drawing put colour, and whether every drawn pixel carries the requested hue.
Ink inkOf(const QImage &image, const QColor &color)
{
    Ink ink;
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < pixels.height(); ++y) {
        for (int x = 0; x < pixels.width(); ++x) {
            const QColor pixel = pixels.pixelColor(x, y);
            if (pixel.alpha() == 0)
                continue;
            ink.bounds |= QRect(x, y, 1, 1);
            if (pixel.alpha() >= 192)
                ++ink.solidPixels;
            // Antialiased edges are the same colour at a lower alpha.
            if (pixel.alpha() > 64
                && (qAbs(pixel.red() - color.red()) > 8 || qAbs(pixel.green() - color.green()) > 8
                    || qAbs(pixel.blue() - color.blue()) > 8))
                ink.onlyRequestedColour = false;
        }
    }
    return ink;
}

} // namespace

class TrayIconRendererTest : public QObject {
    Q_OBJECT

private slots:
    void choosesAFontWithTheMouth();
    void fillsTheWidthInOneColour_data();
    void fillsTheWidthInOneColour();
    void iconOffersEverySizeSharply();
};

void TrayIconRendererTest::choosesAFontWithTheMouth()
{
    const QRawFont font = QRawFont::fromFont(TrayIconRenderer::fontFor(face));
    QVERIFY2(font.supportsCharacter(char32_t(0x2A4A)), qPrintable(font.familyName()));
    QVERIFY(font.supportsCharacter(char32_t(0x2022)));
}

void TrayIconRendererTest::fillsTheWidthInOneColour_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QColor>("color");

    QTest::newRow("16, dark text") << 16 << 1.0 << QColor(Qt::black);
    QTest::newRow("22, light text") << 22 << 1.0 << QColor(0xee, 0xee, 0xec);
    QTest::newRow("32, coloured text") << 32 << 1.0 << QColor(0x3d, 0xae, 0xe9);
    QTest::newRow("22 at ratio 2") << 22 << 2.0 << QColor(Qt::white);
}

void TrayIconRendererTest::fillsTheWidthInOneColour()
{
    QFETCH(int, size);
    QFETCH(qreal, ratio);
    QFETCH(QColor, color);

    const QPixmap pixmap = TrayIconRenderer::renderPixmap(face, color, size, ratio);
    QCOMPARE(pixmap.devicePixelRatio(), ratio);
    const int side = qRound(size * ratio);
    QCOMPARE(pixmap.size(), QSize(side, side));

    const Ink ink = inkOf(pixmap.toImage(), color);
    QVERIFY(ink.onlyRequestedColour);
    // Crisp: the bullets and strokes have solid cores, not just a blur of half-covered pixels.
    QVERIFY2(ink.solidPixels >= side / 4, qPrintable(QString::number(ink.solidPixels)));
    // The text reaches across the icon and sits in its middle.
    QVERIFY2(ink.bounds.left() <= side / 16 && ink.bounds.right() >= side - 1 - side / 16,
        qPrintable(
            QStringLiteral("ink spans %1..%2").arg(ink.bounds.left()).arg(ink.bounds.right())));
    // A wide strip of text, not squeezed into the square.
    QVERIFY2(ink.bounds.width() >= 2 * ink.bounds.height(),
        qPrintable(QStringLiteral("%1x%2").arg(ink.bounds.width()).arg(ink.bounds.height())));
    QVERIFY(qAbs(ink.bounds.center().y() - side / 2) <= 1);
}

void TrayIconRendererTest::iconOffersEverySizeSharply()
{
    const QIcon icon = TrayIconRenderer::render(face, Qt::black);
    for (const int size : TrayIconRenderer::sizes()) {
        QVERIFY2(
            icon.availableSizes().contains(QSize(size, size)), qPrintable(QString::number(size)));
        // Asked for an exact size the icon returns that drawing, not a rescaled neighbour.
        const QImage drawn = icon.pixmap(QSize(size, size), 1.0).toImage();
        QCOMPARE(drawn, TrayIconRenderer::renderPixmap(face, Qt::black, size, 1.0).toImage());
    }
    QCOMPARE(icon.pixmap(QSize(22, 22), 2.0).size(), QSize(44, 44));
}

QTEST_MAIN(TrayIconRendererTest)
#include "TrayIconRendererTest.moc"
