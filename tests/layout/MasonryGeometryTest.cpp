#include "MasonryGeometry.h"

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
    void placesAndMeasures_data();
    void placesAndMeasures();
    void withoutWidthNothingWraps();
    void boundsShiftEveryPosition();
    void placeStaysWithinMeasuredHeight();
};

void MasonryGeometryTest::placesAndMeasures_data()
{
    QTest::addColumn<Sizes>("sizes");
    QTest::addColumn<double>("width");
    QTest::addColumn<Positions>("positions");
    QTest::addColumn<double>("height");

    QTest::newRow("no tiles") << Sizes {} << 100.0 << Positions {} << 0.0;
    QTest::newRow("wraps the third tile") << Sizes { { 30, 20 }, { 40, 25 }, { 50, 20 } } << 100.0
                                          << Positions { { 0, 0 }, { 38, 0 }, { 0, 33 } } << 53.0;
    QTest::newRow("exact fit stays in the row")
        << Sizes { { 46, 10 }, { 46, 10 } } << 100.0 << Positions { { 0, 0 }, { 54, 0 } } << 10.0;
    QTest::newRow("one point too wide wraps")
        << Sizes { { 46, 10 }, { 47, 10 } } << 100.0 << Positions { { 0, 0 }, { 0, 18 } } << 28.0;
    QTest::newRow("trailing gap does not count")
        << Sizes { { 50, 10 }, { 42, 10 } } << 100.0 << Positions { { 0, 0 }, { 58, 0 } } << 10.0;
    QTest::newRow("wide first tile moves down, so does the next")
        << Sizes { { 120, 10 }, { 10, 10 }, { 10, 10 } } << 100.0
        << Positions { { 0, 8 }, { 0, 26 }, { 18, 26 } } << 36.0;
    QTest::newRow("width 0 puts each tile alone")
        << Sizes { { 10, 10 }, { 20, 5 }, { 5, 30 } } << 0.0
        << Positions { { 0, 8 }, { 0, 26 }, { 0, 39 } } << 69.0;
    QTest::newRow("mixed heights are top-aligned")
        << Sizes { { 20, 10 }, { 20, 30 }, { 20, 15 }, { 80, 5 } } << 80.0
        << Positions { { 0, 0 }, { 28, 0 }, { 56, 0 }, { 0, 38 } } << 43.0;
    QTest::newRow("short tile ends the lower row")
        << Sizes { { 60, 30 }, { 60, 10 } } << 100.0 << Positions { { 0, 0 }, { 0, 38 } } << 48.0;
}

void MasonryGeometryTest::placesAndMeasures()
{
    QFETCH(Sizes, sizes);
    QFETCH(double, width);
    QFETCH(Positions, positions);
    QFETCH(double, height);

    QCOMPARE(MasonryGeometry::place(sizes, 0, 0, width), positions);
    const QSizeF measured = MasonryGeometry::measure(sizes, width);
    QCOMPARE(measured.width(), width);
    QCOMPARE(measured.height(), height);
}

void MasonryGeometryTest::withoutWidthNothingWraps()
{
    const double infinity = std::numeric_limits<double>::infinity();
    // QSizeF's own comparison is fuzzy and never holds for infinity, hence the parts.
    const QSizeF empty = MasonryGeometry::measure({}, std::nullopt);
    QCOMPARE(empty.width(), infinity);
    QCOMPARE(empty.height(), 0.0);

    const Sizes sizes { { 1e6, 10 }, { 1e6, 40 }, { 5, 20 } };
    const QSizeF measured = MasonryGeometry::measure(sizes, std::nullopt);
    QCOMPARE(measured.width(), infinity);
    QCOMPARE(measured.height(), 40.0);
    QCOMPARE(MasonryGeometry::place(sizes, 0, 0, infinity),
        (Positions { { 0, 0 }, { 1e6 + 8, 0 }, { 2e6 + 16, 0 } }));
}

void MasonryGeometryTest::boundsShiftEveryPosition()
{
    // Wrapping is tested against the right edge, not against the width from minX.
    const Sizes sizes { { 30, 20 }, { 40, 25 }, { 50, 20 } };
    QCOMPARE(MasonryGeometry::place(sizes, 15, -7, 115),
        (Positions { { 15, -7 }, { 53, -7 }, { 15, 26 } }));
    QCOMPARE(MasonryGeometry::place(sizes, 15, -7, 90),
        (Positions { { 15, -7 }, { 15, 21 }, { 15, 54 } }));
}

void MasonryGeometryTest::placeStaysWithinMeasuredHeight()
{
    QRandomGenerator random(20240611);
    for (int round = 0; round < 500; ++round) {
        Sizes sizes(random.bounded(30));
        for (QSizeF &size : sizes)
            size = QSizeF(random.bounded(1, 120), random.bounded(1, 60));
        const double width = random.bounded(0, 200);

        const QSizeF measured = MasonryGeometry::measure(sizes, width);
        const Positions positions = MasonryGeometry::place(sizes, 0, 0, width);
        QCOMPARE(positions.size(), sizes.size());
        double bottom = 0;
        for (std::size_t i = 0; i < sizes.size(); ++i) {
            QVERIFY(positions[i].y() + sizes[i].height() <= measured.height());
            bottom = std::max(bottom, positions[i].y() + sizes[i].height());
            // A tile only overhangs the right edge when it stands alone at the start of a row.
            if (positions[i].x() + sizes[i].width() > width)
                QCOMPARE(positions[i].x(), 0.0);
        }
        // The lowest tile reaches the measured height exactly.
        QCOMPARE(bottom, measured.height());
    }
}

QTEST_APPLESS_MAIN(MasonryGeometryTest)

#include "MasonryGeometryTest.moc"
