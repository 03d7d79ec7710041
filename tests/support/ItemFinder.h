#pragma once

#include <QList>
#include <QString>
#include <QVariant>

class QQuickItem;

// Finds the items of a Qt Quick scene by object name, and acts on them as a user would.
namespace ItemFinder {

// Every descendant of `root` with this object name, in tree order; with a property, only those
// whose `property` equals `value`.
QList<QQuickItem *> all(QQuickItem *root, const QString &objectName, const char *property = nullptr,
    const QVariant &value = {});
// The first of them, or null.
QQuickItem *find(QQuickItem *root, const QString &objectName, const char *property = nullptr,
    const QVariant &value = {});
// A real click at the item's centre, on its window.
void click(QQuickItem *item, Qt::MouseButton button = Qt::LeftButton);
// Shown and not faded out.
bool isShown(const QQuickItem *item);

} // namespace ItemFinder
