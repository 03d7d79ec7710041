#include "MasonryGeometry.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>
#include <QtQml/QQmlExtensionPlugin>
#include <QtQuickTest/quicktest.h>
#include <memory>

Q_IMPORT_QML_PLUGIN(Pelmora_LayoutPlugin)

namespace {

// One window holding a QML scene whose MasonryLayout is named "layout".
struct Scene {
    QQmlEngine engine;
    QQuickWindow window;
    std::unique_ptr<QQuickItem> root;
    QQuickItem *layout = nullptr;

    bool load(const QByteArray &qml)
    {
        engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
        QQmlComponent component(&engine);
        component.setData("import QtQuick\nimport Pelmora.Layout\n" + qml, QUrl());
        root.reset(qobject_cast<QQuickItem *>(component.create()));
        if (!root) {
            qWarning() << component.errorString();
            return false;
        }
        root->setParentItem(window.contentItem());
        layout = root->findChild<QQuickItem *>(QStringLiteral("layout"));
        window.resize(400, 400);
        window.show();
        return layout && QTest::qWaitForWindowExposed(&window) && settle();
    }

    // Lets pending deletions and the layout pass run.
    bool settle()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return QQuickTest::qWaitForPolish(layout);
    }

    QQuickItem *tile(const QString &name) const
    {
        for (QQuickItem *child : layout->childItems()) {
            if (child->objectName() == name)
                return child;
        }
        return nullptr;
    }

    // "name x,y wxh" for every named tile, in the order given.
    QStringList placement(const QStringList &names) const
    {
        QStringList lines;
        for (const QString &name : names) {
            const QQuickItem *item = tile(name);
            lines << (item ? QStringLiteral("%1 %2,%3 %4x%5")
                                 .arg(name)
                                 .arg(item->x())
                                 .arg(item->y())
                                 .arg(item->width())
                                 .arg(item->height())
                           : name + QStringLiteral(" missing"));
        }
        return lines;
    }

    // What the tiles should look like when they stand in this order, at their implicit sizes.
    QStringList expectedPlacement(const QStringList &names) const
    {
        std::vector<QSizeF> sizes;
        for (const QString &name : names) {
            const QQuickItem *item = tile(name);
            sizes.emplace_back(item ? item->implicitWidth() : 0, item ? item->implicitHeight() : 0);
        }
        const std::vector<QPointF> positions = MasonryGeometry::place(sizes, 0, 0, layout->width());
        QStringList lines;
        for (qsizetype i = 0; i < names.size(); ++i) {
            lines << QStringLiteral("%1 %2,%3 %4x%5")
                         .arg(names[i])
                         .arg(positions[i].x())
                         .arg(positions[i].y())
                         .arg(sizes[i].width())
                         .arg(sizes[i].height());
        }
        return lines;
    }
};

const QByteArray threeTiles = R"(
Item {
    MasonryLayout {
        objectName: "layout"
        width: 100
        Rectangle { objectName: "a"; implicitWidth: 30; implicitHeight: 20 }
        Rectangle { objectName: "hidden"; visible: false; implicitWidth: 500; implicitHeight: 500 }
        Rectangle { objectName: "b"; width: 70; implicitWidth: 40; implicitHeight: 25 }
        Rectangle { objectName: "c"; implicitWidth: 50; implicitHeight: 20 }
    }
}
)";

const QByteArray repeatedTiles = R"(
Item {
    function insertTile(index, label, w, h) { tiles.insert(index, { label: label, w: w, h: h }) }
    function removeTile(index) { tiles.remove(index) }
    function moveTile(from, to) { tiles.move(from, to, 1) }

    MasonryLayout {
        objectName: "layout"
        width: 100
        height: implicitHeight
        Repeater {
            model: ListModel {
                id: tiles
                ListElement { label: "a"; w: 30; h: 20 }
                ListElement { label: "b"; w: 40; h: 25 }
                ListElement { label: "c"; w: 50; h: 20 }
                ListElement { label: "d"; w: 20; h: 10 }
            }
            delegate: Rectangle {
                required property string label
                required property real w
                required property real h
                objectName: label
                implicitWidth: w
                implicitHeight: h
            }
        }
    }
}
)";

} // namespace

class MasonryLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void placesChildrenAtImplicitSize();
    void followsChildChanges();
    void followsItsWidth();
    void repeaterDelegatesFollowModelOrder();
};

void MasonryLayoutTest::placesChildrenAtImplicitSize()
{
    Scene scene;
    QVERIFY(scene.load(threeTiles));

    // The hidden child takes no place, and "b" loses its explicit width.
    QCOMPARE(scene.placement({ "a", "b", "c" }),
        QStringList({ "a 0,0 30x20", "b 38,0 40x25", "c 0,33 50x20" }));
    QCOMPARE(scene.layout->implicitHeight(), 53.0);
}

void MasonryLayoutTest::followsChildChanges()
{
    Scene scene;
    QVERIFY(scene.load(threeTiles));

    scene.tile("a")->setImplicitWidth(60);
    QVERIFY(scene.settle());
    QCOMPARE(scene.placement({ "a", "b", "c" }),
        QStringList({ "a 0,0 60x20", "b 0,28 40x25", "c 48,28 50x20" }));
    QCOMPARE(scene.layout->implicitHeight(), 53.0);

    scene.tile("c")->setImplicitHeight(40);
    QVERIFY(scene.settle());
    QCOMPARE(scene.layout->implicitHeight(), 68.0);

    scene.tile("b")->setVisible(false);
    QVERIFY(scene.settle());
    QCOMPARE(scene.placement({ "a", "c" }), QStringList({ "a 0,0 60x20", "c 0,28 50x40" }));

    // A hidden layout cannot tell its hidden children from the rest; once shown it can again.
    scene.layout->setVisible(false);
    QVERIFY(scene.settle());
    scene.layout->setVisible(true);
    QVERIFY(scene.settle());
    QCOMPARE(scene.placement({ "a", "c" }), QStringList({ "a 0,0 60x20", "c 0,28 50x40" }));

    scene.tile("hidden")->setVisible(true);
    QVERIFY(scene.settle());
    QCOMPARE(scene.placement({ "a", "hidden", "c" }),
        QStringList({ "a 0,0 60x20", "hidden 0,28 500x500", "c 0,536 50x40" }));
    QCOMPARE(scene.layout->implicitHeight(), 576.0);
}

void MasonryLayoutTest::followsItsWidth()
{
    Scene scene;
    QVERIFY(scene.load(threeTiles));

    scene.layout->setWidth(200);
    QVERIFY(scene.settle());
    QCOMPARE(scene.placement({ "a", "b", "c" }),
        QStringList({ "a 0,0 30x20", "b 38,0 40x25", "c 86,0 50x20" }));
    QCOMPARE(scene.layout->implicitHeight(), 25.0);

    scene.layout->setWidth(0);
    QVERIFY(scene.settle());
    QCOMPARE(scene.placement({ "a", "b", "c" }),
        QStringList({ "a 0,8 30x20", "b 0,36 40x25", "c 0,69 50x20" }));
    QCOMPARE(scene.layout->implicitHeight(), 89.0);
}

void MasonryLayoutTest::repeaterDelegatesFollowModelOrder()
{
    Scene scene;
    QVERIFY(scene.load(repeatedTiles));
    QStringList order { "a", "b", "c", "d" };
    QCOMPARE(scene.placement(order),
        QStringList({ "a 0,0 30x20", "b 38,0 40x25", "c 0,33 50x20", "d 58,33 20x10" }));
    QCOMPARE(scene.layout->height(), 53.0);

    QVERIFY(QMetaObject::invokeMethod(scene.root.get(), "insertTile", Q_ARG(QVariant, 0),
        Q_ARG(QVariant, "z"), Q_ARG(QVariant, 90), Q_ARG(QVariant, 15)));
    QVERIFY(scene.settle());
    order.prepend("z");
    QCOMPARE(scene.placement(order), scene.expectedPlacement(order));
    QCOMPARE(scene.placement({ "z", "a" }), QStringList({ "z 0,0 90x15", "a 0,23 30x20" }));

    QVERIFY(QMetaObject::invokeMethod(scene.root.get(), "removeTile", Q_ARG(QVariant, 2)));
    QVERIFY(scene.settle());
    order.removeAt(2);
    QVERIFY(!scene.tile("b"));
    QCOMPARE(scene.placement(order), scene.expectedPlacement(order));

    QVERIFY(QMetaObject::invokeMethod(scene.root.get(), "insertTile", Q_ARG(QVariant, 2),
        Q_ARG(QVariant, "m"), Q_ARG(QVariant, 10), Q_ARG(QVariant, 10)));
    QVERIFY(scene.settle());
    order.insert(2, "m");
    QCOMPARE(scene.placement(order), scene.expectedPlacement(order));

    QVERIFY(QMetaObject::invokeMethod(
        scene.root.get(), "moveTile", Q_ARG(QVariant, 0), Q_ARG(QVariant, 3)));
    QVERIFY(scene.settle());
    order.move(0, 3);
    QCOMPARE(scene.placement(order), scene.expectedPlacement(order));
    QCOMPARE(scene.layout->height(), scene.layout->implicitHeight());

    // Inserts still land in model order once the delegates have been restacked by a move.
    QVERIFY(QMetaObject::invokeMethod(scene.root.get(), "insertTile", Q_ARG(QVariant, 0),
        Q_ARG(QVariant, "y"), Q_ARG(QVariant, 25), Q_ARG(QVariant, 12)));
    QVERIFY(QMetaObject::invokeMethod(scene.root.get(), "insertTile", Q_ARG(QVariant, 6),
        Q_ARG(QVariant, "e"), Q_ARG(QVariant, 35), Q_ARG(QVariant, 30)));
    QVERIFY(scene.settle());
    order.prepend("y");
    order.append("e");
    QCOMPARE(scene.placement(order), scene.expectedPlacement(order));
}

QTEST_MAIN(MasonryLayoutTest)

#include "MasonryLayoutTest.moc"
