#include "WindowPlacement.h"

#include <QTest>

class WindowPlacementTest : public QObject {
    Q_OBJECT

private slots:
    void place_data()
    {
        QTest::addColumn<QRect>("trayRect");
        QTest::addColumn<QPoint>("cursorPos");
        QTest::addColumn<QRect>("screenRect");
        QTest::addColumn<QPoint>("expected");
        // The tray says where its 24-pixel item is, or it does not and the pointer decides.
        const auto item = [](const char *name, int x, int y, QRect screen, QPoint expected) {
            QTest::newRow(name) << QRect(x, y, 24, 24) << QPoint(960, 540) << screen << expected;
        };
        const auto pointer = [](const char *name, int x, int y, QRect screen, QPoint expected) {
            QTest::newRow(name) << QRect() << QPoint(x, y) << screen << expected;
        };
        const QRect full(0, 0, 1920, 1080);
        const QRect belowTopPanel(0, 28, 1920, 1052);

        // A 28-pixel panel at the top: the window hangs below the item, pushed back from the right.
        item("top panel, item at the right", 1800, 2, belowTopPanel, { 1620, 30 });
        item("top panel, item in the middle", 900, 2, belowTopPanel, { 761, 30 });
        item("bottom panel", 1700, 1050, { 0, 0, 1920, 1040 }, { 1561, 640 });
        // The gap would put the window over the panel, so it starts where the free area starts.
        item("left panel", 12, 500, { 48, 0, 1872, 1080 }, { 48, 311 });
        item("right panel, item low", 1884, 900, { 0, 0, 1872, 1080 }, { 1572, 680 });
        // Panels that reserve no space (trayer without a window manager): the nearest edge decides.
        item("unreserved panel at the top", 1890, 0, full, { 1620, 28 });
        item("unreserved panel at the left", 0, 600, full, { 28, 411 });
        // Without the item: below and right of the pointer, flipped near the edges.
        pointer("pointer in the open", 100, 100, full, { 104, 104 });
        pointer("pointer at the bottom right", 1900, 1060, full, { 1596, 656 });
        pointer("pointer on a top panel", 1900, 10, belowTopPanel, { 1596, 28 });
        pointer("pointer outside the free area", -50, 5000, full, { 0, 680 });
        // Screens beside the primary one, to the right and to the left of it.
        item("second screen, top panel", 3150, 2, { 1920, 28, 1280, 996 }, { 2900, 30 });
        item("left screen, bottom panel", -1200, 1000, { -1280, 0, 1280, 990 }, { -1280, 590 });
        pointer("pointer on the left screen", -10, 300, { -1280, 0, 1280, 1024 }, { -314, 304 });
        // A screen smaller than the window shows its top-left corner.
        item("tiny screen", 150, 0, { 10, 20, 200, 300 }, { 10, 20 });
    }
    void place()
    {
        QFETCH(QRect, trayRect);
        QFETCH(QPoint, cursorPos);
        QFETCH(QRect, screenRect);
        QFETCH(QPoint, expected);
        QCOMPARE(
            WindowPlacement::place(trayRect, cursorPos, QSize(300, 400), screenRect), expected);
    }

    void neverLeavesTheFreeArea()
    {
        const QRect screen(100, 30, 1920, 1200);
        const QSize window(300, 400);
        for (int x = -200; x <= 2200; x += 37) {
            for (int y = -100; y <= 1400; y += 41) {
                const QPoint pointer(x, y);
                for (const QRect &tray : { QRect(), QRect(pointer, QSize(22, 22)) }) {
                    const QRect placed(
                        WindowPlacement::place(tray, pointer, window, screen), window);
                    QVERIFY2(screen.contains(placed),
                        qPrintable(QString("pointer %1,%2").arg(x).arg(y)));
                    // Opening over the pointer or the item would hide what was just clicked.
                    if (screen.adjusted(310, 410, -310, -410).contains(pointer))
                        QVERIFY(!placed.intersects(
                            tray.isEmpty() ? QRect(pointer, QSize(1, 1)) : tray));
                }
            }
        }
    }
};

QTEST_APPLESS_MAIN(WindowPlacementTest)
#include "WindowPlacementTest.moc"
