#include "MasonryGeometry.h"

#include <QQmlEngine>
#include <QQmlExpression>
#include <QQuickItem>
#include <QQuickView>
#include <QTest>
#include <QtQml/QQmlExtensionPlugin>
#include <QtQuickTest/quicktest.h>

Q_IMPORT_QML_PLUGIN(Pelmora_LayoutPlugin)

namespace {

// data/Tiles.qml on a window.
struct Scene {
    QQuickView view;
    QQuickItem *layout = nullptr;

    bool load()
    {
        view.engine()->addImportPath(QStringLiteral("qrc:/qt/qml"));
        view.setSource(QUrl::fromLocalFile(QStringLiteral(PELMORA_TEST_DATA_DIR "/Tiles.qml")));
        view.show();
        layout = view.rootObject();
        return layout && QTest::qWaitForWindowExposed(&view) && QQuickTest::qWaitForPolish(layout);
    }

    // Runs a step in the layout's scope, then lets deletions and the layout pass happen.
    bool run(const QString &step)
    {
        QQmlExpression expression(qmlContext(layout), layout, step);
        expression.evaluate();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (expression.hasError())
            qWarning() << expression.error();
        return !expression.hasError() && QQuickTest::qWaitForPolish(layout);
    }

    // The shown tiles with where their items stand (or, when `expected`, where the geometry
    // puts them), then the layout's height.
    QString placement(bool expected = false)
    {
        QVariant shown;
        QMetaObject::invokeMethod(layout, "shownTiles", Q_RETURN_ARG(QVariant, shown));
        const QVariantList tiles = shown.value<QVariantList>();
        std::vector<QSizeF> sizes;
        for (const QVariant &tile : tiles)
            sizes.emplace_back(tile.toList().value(1).toReal(), tile.toList().value(2).toReal());
        const auto positions = MasonryGeometry::place(sizes, 0, 0, layout->width());
        QString lines;
        QDebug out = QDebug(&lines).noquote();
        for (std::size_t i = 0; i < sizes.size(); ++i) {
            const QVariantList tile = tiles[qsizetype(i)].toList();
            out << tile[0].toString()
                << (expected ? QRectF(positions[i], sizes[i])
                             : QRectF(tile[3].toReal(), tile[4].toReal(), tile[5].toReal(),
                                 tile[6].toReal()));
        }
        const double height = MasonryGeometry::measure(sizes, layout->width()).height();
        out << "height" << (expected ? height : layout->implicitHeight())
            << (expected ? height : layout->height());
        return lines.trimmed();
    }
};

} // namespace

class MasonryLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void placesShownChildrenAtImplicitSize()
    {
        Scene scene;
        QVERIFY(scene.load());
        QCOMPARE(scene.placement(),
            "a QRectF(0,0 30x20) b QRectF(38,0 40x25) c QRectF(0,33 50x20) height 53 53");
    }

    // After each change the tiles stand where the geometry puts the shown tiles of the model.
    void followsChanges_data()
    {
        QTest::addColumn<QStringList>("steps");
        const QString z =
            QStringLiteral("tiles.insert(0, { label: 'z', w: 90, h: 15, shown: true })");
        QTest::newRow("implicit width") << QStringList { "tiles.setProperty(0, 'w', 60)" };
        QTest::newRow("implicit height") << QStringList { "tiles.setProperty(3, 'h', 40)" };
        QTest::newRow("child hidden") << QStringList { "tiles.setProperty(2, 'shown', false)" };
        QTest::newRow("hidden child shown")
            << QStringList { "tiles.setProperty(1, 'shown', true)" };
        // A hidden layout cannot tell its hidden children from the rest; once shown it can again.
        QTest::newRow("layout hidden, shown")
            << QStringList { "visible = false", "visible = true" };
        QTest::newRow("wider") << QStringList { "width = 200" };
        QTest::newRow("width 0") << QStringList { "width = 0" };
        QTest::newRow("insert first") << QStringList { z };
        QTest::newRow("remove") << QStringList { "tiles.remove(2)" };
        QTest::newRow("insert in the middle")
            << QStringList { "tiles.insert(2, { label: 'm', w: 10, h: 10, shown: true })" };
        QTest::newRow("move") << QStringList { z, "tiles.move(0, 3, 1)" };
        // Inserts still land in model order once the delegates have been restacked by a move.
        QTest::newRow("insert after a move") << QStringList { z, "tiles.move(0, 3, 1)",
            "tiles.insert(0, { label: 'y', w: 25, h: 12, shown: true })",
            "tiles.append({ label: 'e', w: 35, h: 30, shown: true })" };
    }
    void followsChanges()
    {
        QFETCH(QStringList, steps);
        Scene scene;
        QVERIFY(scene.load());
        for (const QString &step : steps)
            QVERIFY2(scene.run(step), qPrintable(step));
        QCOMPARE(scene.placement(), scene.placement(true));
    }
};

QTEST_MAIN(MasonryLayoutTest)

#include "MasonryLayoutTest.moc"
