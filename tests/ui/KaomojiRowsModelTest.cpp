#include "KaomojiData.h"
#include "MasonryGeometry.h"
#include "PickerFixture.h"

#include <QtQml/qqmlextensionplugin.h>
#include <QFontMetricsF>
#include <QScopeGuard>
#include <limits>

Q_IMPORT_QML_PLUGIN(PelmoraPlugin)
Q_IMPORT_QML_PLUGIN(Pelmora_LayoutPlugin)

using Rows = KaomojiRowsModel;

namespace {

// Where the rows put each section's tiles, against where MasonryGeometry puts them: empty
// when they agree, else the first section that does not.
QString misplacedSection(const Rows &rows)
{
    for (int row = 0; row < rows.rowCount();) {
        const QString section = rows.row(row).section;
        double y = rows.row(row++).height - Rows::headerGap;
        std::vector<QSizeF> sizes;
        std::vector<QPointF> places;
        for (; row < rows.rowCount() && !rows.row(row).isHeader; y += rows.row(row++).height)
            for (const Rows::Tile &tile : rows.row(row).tiles) {
                sizes.push_back(tile.size.tile);
                places.emplace_back(tile.x, y);
            }
        const double gap = row < rows.rowCount() ? Rows::sectionGap : 0;
        if (places != MasonryGeometry::place(sizes, 0, 0, rows.width())
            || y != MasonryGeometry::measure(sizes, rows.width()).height() + gap)
            return section;
    }
    return {};
}

// What makes a row the same row: its section and the ids of its tiles.
QStringList keys(const Rows &rows)
{
    QStringList keys;
    for (int row = 0; row < rows.rowCount(); ++row) {
        keys.append(rows.row(row).section);
        for (const Rows::Tile &tile : rows.row(row).tiles)
            keys.last() += tile.id.toString();
    }
    return keys;
}

// How far down the first row holding a tile at an estimated size starts; infinite for none.
double firstEstimatedRow(const Rows &rows)
{
    double top = 0;
    for (int row = 0; row < rows.rowCount(); top += rows.row(row++).height) {
        for (const Rows::Tile &tile : rows.row(row).tiles) {
            if (tile.size.estimated)
                return top;
        }
    }
    return std::numeric_limits<double>::infinity();
}

} // namespace

// The results as rows of a list: the tiles stand where MasonryGeometry puts them, a row whose
// tiles stay is kept through any change, and the view builds only the rows near its viewport.
class KaomojiRowsModelTest : public QObject {
    Q_OBJECT

private slots:
    void rowsFollowTheGeometryThroughChanges_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<QString>("step");
        QTest::newRow("a use") << 268.0 << "use";
        QTest::newRow("a face of one's own, wider than a row") << 268.0 << "own";
        QTest::newRow("a search") << 268.0 << "cat";
        QTest::newRow("narrower than most tiles, a search") << 40.0 << "c";
        QTest::newRow("a section a row, a search") << 1e5 << "c";
    }
    void rowsFollowTheGeometryThroughChanges()
    {
        QFETCH(double, width);
        QFETCH(QString, step);
        PickerFixture picker;
        Rows &rows = *picker.view.rows();
        rows.setWidth(width);
        QCOMPARE(misplacedSection(rows), QString()); // faces far down at an estimated size
        rows.setMeasuresInBackground(true);
        QTRY_VERIFY(rows.isMeasured());
        const QStringList before = keys(rows);
        QList<QPersistentModelIndex> shown;
        for (int row = 0; row < rows.rowCount(); ++row)
            shown.append(rows.index(row));
        if (step == "use")
            picker.view.copyKaomoji(
                "Love", picker.store().presetKaomojis()["Love"][3].id().toString());
        else if (step == "own")
            picker.store().addCustomKaomoji(Kaomoji::create(QString(200, u'w'), "Custom"));
        else
            picker.view.setSearchText(step);
        QTRY_VERIFY(rows.isMeasured());
        QCOMPARE(misplacedSection(rows), QString());
        const QStringList after = keys(rows);
        for (qsizetype row = 0; row < before.size(); ++row) {
            QCOMPARE(shown[row].isValid(), after.contains(before[row]));
            QVERIFY(!shown[row].isValid() || after[shown[row].row()] == before[row]);
        }
    }

    // Faces are measured at once only as far down as rows are built; rows brought within reach
    // are measured before they are built, and the rest in the background.
    void measuresAtOnceOnlyWhatIsBuilt()
    {
        PickerFixture picker;
        Rows &rows = *picker.view.rows();
        rows.setBuiltHeight(100);
        rows.setWidth(268);
        QVERIFY(firstEstimatedRow(rows) >= 100);
        QVERIFY(firstEstimatedRow(rows) < 200);
        rows.setBuiltHeight(300);
        QVERIFY(firstEstimatedRow(rows) >= 300);
        QCOMPARE(misplacedSection(rows), QString());
        rows.setMeasuresInBackground(true);
        QTRY_VERIFY(rows.isMeasured());
        QCOMPARE(firstEstimatedRow(rows), std::numeric_limits<double>::infinity());
    }

    // Faces measured in the background while the desktop font changes are measured again in
    // the new font, not kept at their sizes in the old one.
    void measuresAgainInANewDesktopFont()
    {
        PickerFixture picker;
        Rows &rows = *picker.view.rows();
        rows.setWidth(268);
        rows.setMeasuresInBackground(true);
        const auto restore = qScopeGuard(
            [font = QGuiApplication::font()] { QGuiApplication::setFont(font); });
        QGuiApplication::setFont(QFont(QGuiApplication::font().family(), 30));
        QTRY_VERIFY(rows.isMeasured());
        const double line = QFontMetricsF(rows.faceFont()).height();
        for (int row = 0; row < rows.rowCount(); ++row) {
            for (const Rows::Tile &tile : rows.row(row).tiles)
                QVERIFY2(tile.size.tile.height() >= line, qPrintable(tile.face));
        }
    }

    // Up and Down land on the tile of the next row whose centre is nearest the tile's own.
    void nearestTileIsByCentre_data()
    {
        QTest::addColumn<QList<double>>("edges"); // left and right of each tile
        QTest::addColumn<double>("centre");
        QTest::addColumn<int>("nearest");
        QTest::newRow("over a wide tile, nearer another's centre")
            << QList<double> { 0, 186, 190, 200 } << 170.0 << 1;
        QTest::newRow("as near to two: the left") << QList<double> { 0, 20, 40, 60 } << 30.0 << 0;
    }
    void nearestTileIsByCentre()
    {
        QFETCH(QList<double>, edges);
        QFETCH(double, centre);
        QList<Rows::Tile> tiles;
        for (qsizetype i = 0; i < edges.size(); i += 2)
            tiles.push_back({ {}, {}, 0, edges[i], { { edges[i + 1] - edges[i], 9 }, {}, false } });
        QTEST(Rows::nearestTile(tiles, centre), "nearest");
    }

    // Every built-in face, whatever its scripts and marks, gets exactly the tile its text asks
    // for: the rows model measures faces as the tiles draw them.
    void everyBuiltInFaceGetsTheTileItsTextAsksFor()
    {
        PickerFixture picker;
        QVERIFY(picker.show());
        QTRY_VERIFY(picker.view.rows()->isMeasured());
        QQuickItem *results = picker.item("results");
        QSet<QString> seen;
        while (true) {
            QVERIFY(QQuickTest::qWaitForPolish(picker.window.get()));
            for (QQuickItem *tile : ItemFinder::all(results, "tile")) {
                QCOMPARE(QSizeF(tile->implicitWidth(), tile->implicitHeight()), tile->size());
                seen.insert(tile->property("face").toString());
            }
            if (results->property("atYEnd").toBool())
                break;
            results->setProperty("contentY", results->property("contentY").toReal() + 300);
        }
        QSet<QString> shown; // the faces of every category with a chip
        for (const QString &section : picker.view.sections()->names())
            for (const Kaomoji &kaomoji : picker.store().presetKaomojis().value(section))
                shown.insert(kaomoji.face());
        QVERIFY(shown.size() > 400);
        QCOMPARE(seen, shown);
    }

    // Ten thousand faces of one's own build a screenful of tiles, each exactly as large as its
    // face asks to be; scrolling to the end builds the last ones.
    void buildsOnlyTheRowsNearTheViewport()
    {
        PickerFixture picker;
        KaomojiList mine;
        for (int i = 0; i < 10000; ++i)
            mine.append(Kaomoji::create(QStringLiteral("(^_^) %1").arg(i), "Custom"));
        picker.store().setCustomKaomojis(mine);
        QVERIFY(picker.show());
        const auto tiles = [&] { return ItemFinder::all(picker.window->contentItem(), "tile"); };
        QVERIFY(!tiles().isEmpty() && tiles().size() < 200);
        for (const QQuickItem *tile : tiles())
            QCOMPARE(QSizeF(tile->implicitWidth(), tile->implicitHeight()), tile->size());
        QMetaObject::invokeMethod(picker.item("results"), "positionViewAtEnd");
        QTRY_VERIFY(picker.item("tile", "sectionName", picker.view.orderedCategories().last()));
        QVERIFY(tiles().size() < 200);
    }
};

QTEST_MAIN(KaomojiRowsModelTest)
#include "KaomojiRowsModelTest.moc"
