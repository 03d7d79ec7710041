#include "MasonryGeometry.h"

#include "TestSeed.h"

#include <QRandomGenerator>
#include <QTest>
#include <limits>

using Sizes = std::vector<QSizeF>;
using Positions = std::vector<QPointF>;

// Found by QCOMPARE through the element type, so a failure shows the positions.
char *toString(const Positions &positions)
{
    QByteArray text;
    for (const QPointF &point : positions)
        text += '(' + QByteArray::number(point.x()) + ", " + QByteArray::number(point.y()) + ") ";
    return qstrdup(text.trimmed().constData());
}

class MasonryGeometryTest : public QObject {
    Q_OBJECT

private slots:
    void placesAndMeasures_data()
    {
        QTest::addColumn<Sizes>("sizes");
        QTest::addColumn<QPointF>("origin"); // the top-left corner of the bounds
        QTest::addColumn<double>("width"); // infinite: no width given
        QTest::addColumn<Positions>("positions");
        QTest::addColumn<double>("height");

        const auto row = [](const char *name, const Sizes &sizes, double width,
                             const Positions &positions, double height, QPointF origin = {}) {
            QTest::newRow(name) << sizes << origin << width << positions << height;
        };
        const double none = std::numeric_limits<double>::infinity();
        const Sizes three { { 30, 20 }, { 40, 25 }, { 50, 20 } };
        row("no tiles", {}, 100, {}, 0);
        row("no tiles, no width", {}, none, {}, 0);
        row("wraps the third", three, 100, { { 0, 0 }, { 38, 0 }, { 0, 33 } }, 53);
        // Wrapping is tested against the right edge, not against the width from the left one.
        row("shifted", three, 100, { { 15, -7 }, { 53, -7 }, { 15, 26 } }, 53, { 15, -7 });
        row("shifted, narrow", three, 75, { { 15, -7 }, { 15, 21 }, { 15, 54 } }, 81, { 15, -7 });
        row("exact fit", { { 46, 10 }, { 46, 10 } }, 100, { { 0, 0 }, { 54, 0 } }, 10);
        row("one point over", { { 46, 10 }, { 47, 10 } }, 100, { { 0, 0 }, { 0, 18 } }, 28);
        row("trailing gap free", { { 50, 10 }, { 42, 10 } }, 100, { { 0, 0 }, { 58, 0 } }, 10);
        // A tile wider than the row still moves down one gap, and the next one with it.
        row("too wide", { { 120, 10 }, { 10, 10 }, { 10, 10 } }, 100,
            { { 0, 8 }, { 0, 26 }, { 18, 26 } }, 36);
        row("width 0", { { 10, 10 }, { 20, 5 }, { 5, 30 } }, 0, { { 0, 8 }, { 0, 26 }, { 0, 39 } },
            69);
        row("top-aligned", { { 20, 10 }, { 20, 30 }, { 20, 15 }, { 80, 5 } }, 80,
            { { 0, 0 }, { 28, 0 }, { 56, 0 }, { 0, 38 } }, 43);
        row("short tile ends the row", { { 60, 30 }, { 60, 10 } }, 100, { { 0, 0 }, { 0, 38 } },
            48);
        row("no width, no wrap", { { 1e6, 10 }, { 1e6, 40 }, { 5, 20 } }, none,
            { { 0, 0 }, { 1e6 + 8, 0 }, { 2e6 + 16, 0 } }, 40);
    }
    void placesAndMeasures()
    {
        QFETCH(Sizes, sizes);
        QFETCH(QPointF, origin);
        QFETCH(double, width);
        QFETCH(Positions, positions);
        QFETCH(double, height);

        QCOMPARE(
            MasonryGeometry::place(sizes, origin.x(), origin.y(), origin.x() + width), positions);
        const auto available = std::isinf(width) ? std::nullopt : std::optional(width);
        // QSizeF's own comparison is fuzzy and never holds for infinity, hence the parts.
        const QSizeF measured = MasonryGeometry::measure(sizes, available);
        QCOMPARE(measured.width(), width);
        QCOMPARE(measured.height(), height);
    }

    // measure() and place() agree for any tiles: the lowest tile reaches the measured height.
    void placeStaysWithinMeasuredHeight()
    {
        QRandomGenerator random(testSeed());
        for (int round = 0; round < 500; ++round) {
            Sizes sizes(random.bounded(30));
            for (QSizeF &size : sizes)
                size = QSizeF(random.bounded(1, 120), random.bounded(1, 60));
            const double width = random.bounded(0, 200);

            const double height = MasonryGeometry::measure(sizes, width).height();
            const Positions positions = MasonryGeometry::place(sizes, 0, 0, width);
            QCOMPARE(positions.size(), sizes.size());
            double bottom = 0;
            for (std::size_t i = 0; i < sizes.size(); ++i) {
                bottom = std::max(bottom, positions[i].y() + sizes[i].height());
                // A tile only overhangs the right edge when it stands alone at the start of a row.
                const bool overhangs = positions[i].x() + sizes[i].width() > width;
                QVERIFY2(!overhangs || positions[i].x() == 0,
                    qPrintable(QStringLiteral("round %1").arg(round) + seedNote()));
            }
            QVERIFY2(bottom == height,
                qPrintable(QStringLiteral("round %1: %2 vs %3").arg(round).arg(bottom).arg(height)
                    + seedNote()));
        }
    }
};

QTEST_APPLESS_MAIN(MasonryGeometryTest)

#include "MasonryGeometryTest.moc"
