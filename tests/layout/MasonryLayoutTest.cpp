#include "MasonryGeometry.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QQmlExpression>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>
#include <QtQml/QQmlExtensionPlugin>
#include <QtQuickTest/quicktest.h>
#include <memory>

Q_IMPORT_QML_PLUGIN(Pelmora_LayoutPlugin)

namespace {

// Tiles made by a Repeater, as the picker makes them; one is hidden, and every tile asks for a
// width of its own that the layout overrides with its implicit width.
const QByteArray scene = R"(
import QtQuick
import Pelmora.Layout
MasonryLayout {
    width: 100
    height: implicitHeight
    Repeater {
        model: ListModel {
            id: tiles
            ListElement { label: "a"; w: 30; h: 20; shown: true }
            ListElement { label: "hidden"; w: 500; h: 500; shown: false }
            ListElement { label: "b"; w: 40; h: 25; shown: true }
            ListElement { label: "c"; w: 50; h: 20; shown: true }
        }
        delegate: Rectangle {
            objectName: model.label
            width: 70
            visible: model.shown
            implicitWidth: model.w
            implicitHeight: model.h
        }
    }
}
)";

struct Scene {
    QQmlEngine engine;
    QQuickWindow window;
    std::unique_ptr<QQuickItem> layout;

    bool load()
    {
        engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
        QQmlComponent component(&engine);
        component.setData(scene, QUrl());
        layout.reset(qobject_cast<QQuickItem *>(component.create()));
        if (!layout) {
            qWarning() << component.errorString();
            return false;
        }
        layout->setParentItem(window.contentItem());
        window.resize(400, 400);
        window.show();
        return QTest::qWaitForWindowExposed(&window) && QQuickTest::qWaitForPolish(layout.get());
    }

    QVariant evaluate(const QString &script)
    {
        QQmlExpression expression(qmlContext(layout.get()), layout.get(), script);
        const QVariant result = expression.evaluate();
        if (expression.hasError())
            qWarning() << expression.error();
        return expression.hasError() ? QVariant() : result;
    }

    // Runs a step in the layout's scope, then lets deletions and the layout pass happen.
    bool run(const QString &step)
    {
        const bool done = evaluate(step + QStringLiteral("; true")).toBool();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return done && QQuickTest::qWaitForPolish(layout.get());
    }

    // Every shown tile of the model in model order with where its item stands (or, when
    // `expected`, where the geometry puts it), then the layout's height.
    QString placement(bool expected = false)
    {
        const QVariantList tiles = evaluate(QStringLiteral(R"(
            Array.from({ length: tiles.count }, (_, i) => tiles.get(i)).filter(tile => tile.shown)
                .map(tile => {
                    const item = Array.from(children).find(c => c.objectName === tile.label) || {}
                    return [tile.label, tile.w, tile.h, item.x, item.y, item.width, item.height]
                }))"))
                                       .toList();
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
