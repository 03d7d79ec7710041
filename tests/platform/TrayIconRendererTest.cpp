#include "TrayIconRenderer.h"

#include <QRawFont>
#include <QTest>

using namespace Qt::StringLiterals;

// The tray item's picture of its title, at every size a tray may ask for.
class TrayIconRendererTest : public QObject {
    Q_OBJECT

    const QString m_face = u"(•⩊•)"_s;

private slots:
    void choosesAFontWithTheMouth()
    {
        const QRawFont font = QRawFont::fromFont(TrayIconRenderer::fontFor(m_face));
        QVERIFY2(font.supportsCharacter(char32_t(0x2A4A)), qPrintable(font.familyName()));
    }

    void drawsTheFaceAcrossEachSize_data()
    {
        QTest::addColumn<QColor>("color");
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("dark text") << QColor(Qt::black) << 1.0;
        QTest::newRow("light text") << QColor(0xee, 0xee, 0xec) << 1.0;
        QTest::newRow("coloured text at ratio 2") << QColor(0x3d, 0xae, 0xe9) << 2.0;
    }
    void drawsTheFaceAcrossEachSize()
    {
        QFETCH(QColor, color);
        QFETCH(qreal, ratio);
        const QIcon icon = TrayIconRenderer::render(m_face, color);
        for (const int size : TrayIconRenderer::sizes()) {
            const QPixmap pixmap = TrayIconRenderer::renderPixmap(m_face, color, size, ratio);
            QCOMPARE(pixmap.devicePixelRatio(), ratio);
            const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
            const int side = qRound(size * ratio);
            QCOMPARE(image.size(), QSize(side, side));
            // Asked for an exact size, the icon gives that drawing, not a rescaled neighbour.
            QCOMPARE(
                icon.pixmap(QSize(size, size), ratio).toImage().convertToFormat(image.format()),
                image);

            QRect ink;
            int solid = 0;
            for (int y = 0; y < side; ++y) {
                for (int x = 0; x < side; ++x) {
                    const QColor pixel = image.pixelColor(x, y);
                    ink |= pixel.alpha() ? QRect(x, y, 1, 1) : QRect();
                    solid += pixel.alpha() >= 192;
                    // Antialiased edges are the same colour at a lower alpha.
                    const int off = qAbs(pixel.red() - color.red())
                        + qAbs(pixel.green() - color.green()) + qAbs(pixel.blue() - color.blue());
                    QVERIFY2(pixel.alpha() <= 64 || off <= 24, qPrintable(pixel.name()));
                }
            }
            QString where;
            QDebug(&where) << size << "px:" << ink << solid << "solid";
            // Crisp: the bullets and strokes have solid cores, not only half-covered pixels.
            QVERIFY2(solid >= side / 4, qPrintable(where));
            // A wide strip of text across the whole width, in the middle of the height.
            QVERIFY2(
                ink.left() <= side / 16 && ink.right() >= side - 1 - side / 16, qPrintable(where));
            QVERIFY2(ink.width() >= 2 * ink.height() && qAbs(ink.center().y() - side / 2) <= 1,
                qPrintable(where));
        }
    }
};

QTEST_MAIN(TrayIconRendererTest)
#include "TrayIconRendererTest.moc"
