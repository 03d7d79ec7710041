#include "WindowPlacement.h"

#include <QTest>

class WindowPlacementTest : public QObject {
    Q_OBJECT

private slots:
    void place_data();
    void place();
    void neverLeavesTheFreeArea();
};

void WindowPlacementTest::place_data()
{
    QTest::addColumn<QRect>("trayRect");
    QTest::addColumn<QPoint>("cursorPos");
    QTest::addColumn<QRect>("screenRect");
    QTest::addColumn<QPoint>("expected");

    const QPoint anywhere(960, 540);

    // A 28-pixel panel at the top: the window hangs below the item, pushed back from the right.
    QTest::newRow("top panel, item at the right")
        << QRect(1800, 2, 24, 24) << anywhere << QRect(0, 28, 1920, 1052) << QPoint(1620, 30);
    QTest::newRow("top panel, item in the middle")
        << QRect(900, 2, 24, 24) << anywhere << QRect(0, 28, 1920, 1052) << QPoint(761, 30);
    QTest::newRow("bottom panel") << QRect(1700, 1050, 24, 24) << anywhere
                                  << QRect(0, 0, 1920, 1040) << QPoint(1561, 640);
    // The gap would put the window over the panel, so it starts where the free area starts.
    QTest::newRow("left panel") << QRect(12, 500, 24, 24) << anywhere << QRect(48, 0, 1872, 1080)
                                << QPoint(48, 311);
    QTest::newRow("right panel, item low")
        << QRect(1884, 900, 24, 24) << anywhere << QRect(0, 0, 1872, 1080) << QPoint(1572, 680);
    // Panels that reserve no space (trayer without a window manager): the nearest edge decides.
    QTest::newRow("unreserved panel at the top")
        << QRect(1890, 0, 24, 24) << anywhere << QRect(0, 0, 1920, 1080) << QPoint(1620, 28);
    QTest::newRow("unreserved panel at the left")
        << QRect(0, 600, 24, 24) << anywhere << QRect(0, 0, 1920, 1080) << QPoint(28, 411);

    // No geometry from the tray: below and right of the pointer, flipped near the edges.
    QTest::newRow("pointer in the open")
        << QRect() << QPoint(100, 100) << QRect(0, 0, 1920, 1080) << QPoint(104, 104);
    QTest::newRow("pointer at the bottom right")
        << QRect() << QPoint(1900, 1060) << QRect(0, 0, 1920, 1080) << QPoint(1596, 656);
    QTest::newRow("pointer on a top panel")
        << QRect() << QPoint(1900, 10) << QRect(0, 28, 1920, 1052) << QPoint(1596, 28);
    QTest::newRow("pointer outside the free area")
        << QRect() << QPoint(-50, 5000) << QRect(0, 0, 1920, 1080) << QPoint(0, 680);

    // Screens beside the primary one, to the right and to the left of it.
    QTest::newRow("second screen, top panel")
        << QRect(3150, 2, 24, 24) << anywhere << QRect(1920, 28, 1280, 996) << QPoint(2900, 30);
    QTest::newRow("screen left of the primary, bottom panel") << QRect(-1200, 1000, 24,
        24) << anywhere << QRect(-1280, 0, 1280, 990) << QPoint(-1280, 590);
    QTest::newRow("pointer on the screen left of the primary")
        << QRect() << QPoint(-10, 300) << QRect(-1280, 0, 1280, 1024) << QPoint(-314, 304);

    // A screen smaller than the window shows its top-left corner.
    QTest::newRow("tiny screen") << QRect(150, 0, 24, 24) << anywhere << QRect(10, 20, 200, 300)
                                 << QPoint(10, 20);
}

void WindowPlacementTest::place()
{
    QFETCH(QRect, trayRect);
    QFETCH(QPoint, cursorPos);
    QFETCH(QRect, screenRect);
    QFETCH(QPoint, expected);

    QCOMPARE(WindowPlacement::place(trayRect, cursorPos, QSize(300, 400), screenRect), expected);
}

void WindowPlacementTest::neverLeavesTheFreeArea()
{
    const QRect screen(100, 30, 1920, 1200);
    const QSize window(300, 400);
    for (int x = -200; x <= 2200; x += 37) {
        for (int y = -100; y <= 1400; y += 41) {
            const QPoint pointer(x, y);
            for (const QRect &tray : { QRect(), QRect(pointer, QSize(22, 22)) }) {
                const QRect placed(WindowPlacement::place(tray, pointer, window, screen), window);
                QVERIFY2(screen.contains(placed),
                    qPrintable(QStringLiteral("pointer %1,%2").arg(x).arg(y)));
                // Opening over the pointer or the item would hide what was just clicked.
                if (screen.adjusted(310, 410, -310, -410).contains(pointer))
                    QVERIFY(
                        !placed.intersects(tray.isEmpty() ? QRect(pointer, QSize(1, 1)) : tray));
            }
        }
    }
}

QTEST_APPLESS_MAIN(WindowPlacementTest)
#include "WindowPlacementTest.moc"
