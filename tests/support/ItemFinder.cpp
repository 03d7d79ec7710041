#include "ItemFinder.h"

#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

namespace ItemFinder {

QList<QQuickItem *> all(
    QQuickItem *root, const QString &objectName, const char *property, const QVariant &value)
{
    QList<QQuickItem *> found;
    const std::function<void(QQuickItem *)> visit = [&](QQuickItem *parent) {
        for (QQuickItem *child : parent->childItems()) {
            if (child->objectName() == objectName
                && (!property || child->property(property) == value))
                found.append(child);
            visit(child);
        }
    };
    if (root)
        visit(root);
    return found;
}

QQuickItem *find(
    QQuickItem *root, const QString &objectName, const char *property, const QVariant &value)
{
    for (QQuickItem *item : all(root, objectName)) {
        if (!property || item->property(property) == value)
            return item;
    }
    return nullptr;
}

void click(QQuickItem *item, Qt::MouseButton button)
{
    QVERIFY(item && item->window());
    const QPointF centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
    QTest::mouseClick(item->window(), button, {}, centre.toPoint());
}

bool isShown(const QQuickItem *item)
{
    return item && item->isVisible() && item->opacity() > 0;
}

} // namespace ItemFinder
