#include "TrayIcon.h"

#include "LoginAutostart.h"
#include "TrayIconRenderer.h"

#include <QApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// The tray item: its picture of the face at every size a tray may ask for, and its menu.
class TrayIconTest : public QObject {
    Q_OBJECT

private slots:
    // The face stands out on light, mid-grey and dark panels whatever the palette's text colour.
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
        const QIcon icon = TrayIconRenderer::render(color, u"pelmora-symbolic"_s);
        QCOMPARE(icon.name(), u"pelmora-symbolic"_s);
        for (const int size : TrayIconRenderer::sizes()) {
            const QPixmap pixmap = TrayIconRenderer::renderPixmap(color, size, ratio);
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
                    solid +=
                        pixel.alpha() >= 200 && qAbs(pixel.lightness() - color.lightness()) < 40;
                }
            }
            QString where;
            QDebug(&where) << size << "px:" << ink << solid << "solid";
            // Crisp: the face has solid cores of the text colour, not only its ring.
            QVERIFY2(solid >= side / 4, qPrintable(where));
            // The face fills the square, in its middle.
            QVERIFY2(ink.width() >= side * 3 / 4 && ink.height() >= side * 3 / 4
                    && (ink.center() - QPoint(side / 2, side / 2)).manhattanLength() <= 2,
                qPrintable(where));
            for (const QColor panel :
                { QColor(0xf6, 0xf5, 0xf4), QColor(0x80, 0x80, 0x80), QColor(0x24, 0x24, 0x24) }) {
                QImage onPanel(image.size(), QImage::Format_ARGB32);
                onPanel.setDevicePixelRatio(ratio);
                onPanel.fill(panel);
                QPainter(&onPanel).drawImage(0, 0, image);
                int standingOut = 0;
                for (int y = 0; y < side; ++y) {
                    for (int x = 0; x < side; ++x)
                        standingOut +=
                            qAbs(onPanel.pixelColor(x, y).lightness() - panel.lightness()) > 60;
                }
                QVERIFY2(standingOut >= side * side / 16,
                    qPrintable(
                        where + u" on "_s + panel.name() + u": "_s + QString::number(standingOut)));
            }
        }
    }

    // "Start at Login" writes or removes the autostart entry, and shows the entry as it is.
    void startAtLoginFollowsTheAutostartEntry()
    {
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        TrayIcon tray;
        QAction *item = nullptr;
        for (QAction *action : tray.menu()->actions())
            item = action->text() == u"Start at Login" ? action : item;
        QVERIFY(item && item->isCheckable() && !item->isChecked());
        item->trigger();
        QFile entry(LoginAutostart::entryPath());
        QVERIFY(entry.open(QIODevice::ReadOnly));
        QVERIFY(entry.readAll().contains(
            "\nExec=\"" + QCoreApplication::applicationFilePath().toUtf8() + "\"\n"));
        entry.close();
        item->trigger();
        QVERIFY(!entry.exists() && !item->isChecked());

        // Made or disabled by hand.
        for (const QByteArray &extra : { QByteArray(), QByteArray("Hidden=true\n") }) {
            QVERIFY(entry.open(QIODevice::WriteOnly));
            entry.write("[Desktop Entry]\nType=Application\nExec=pelmora\n" + extra);
            entry.close();
            emit tray.menu()->aboutToShow();
            QCOMPARE(item->isChecked(), extra.isEmpty());
        }
    }
};

QTEST_MAIN(TrayIconTest)
#include "TrayIconTest.moc"
