#include "MasonryLayout.h"

#include "MasonryGeometry.h"

#include <QAbstractItemModel>
#include <vector>

MasonryLayout::MasonryLayout(QQuickItem *parent)
    : QQuickItem(parent)
{
}

void MasonryLayout::geometryChange(const QRectF &newGeometry, const QRectF &oldGeometry)
{
    QQuickItem::geometryChange(newGeometry, oldGeometry);
    // Only the width decides where rows wrap; a parent that sizes us to implicitHeight must not
    // set off another pass.
    if (newGeometry.width() != oldGeometry.width())
        polish();
}

void MasonryLayout::itemChange(ItemChange change, const ItemChangeData &value)
{
    QQuickItem::itemChange(change, value);
    if (change == ItemChildAddedChange) {
        watchChild(value.item);
        polish();
    } else if (change == ItemChildRemovedChange) {
        disconnect(value.item, nullptr, this, nullptr);
        polish();
    }
}

void MasonryLayout::watchChild(QQuickItem *child)
{
    connect(child, &QQuickItem::implicitWidthChanged, this, &QQuickItem::polish);
    connect(child, &QQuickItem::implicitHeightChanged, this, &QQuickItem::polish);
    connect(child, &QQuickItem::visibleChanged, this, &QQuickItem::polish);
}

void MasonryLayout::watchRepeaterModel(const QQuickItem *child)
{
    // A Repeater restacks its delegates when its model moves rows, and restacking tells the
    // parent nothing, so listen to the model itself. Its model is only known once it is set,
    // which is why this runs at every pass rather than when the Repeater arrives.
    if (!child->inherits("QQuickRepeater"))
        return;
    const auto *model =
        qobject_cast<const QAbstractItemModel *>(child->property("model").value<QObject *>());
    if (!model)
        return;
    connect(model, &QAbstractItemModel::rowsMoved, this, &QQuickItem::polish, Qt::UniqueConnection);
    connect(
        model, &QAbstractItemModel::layoutChanged, this, &QQuickItem::polish, Qt::UniqueConnection);
}

bool MasonryLayout::takesPlace(const QQuickItem *child) const
{
    // While the layout itself is hidden every child reports itself hidden, so visibility only
    // tells something when the layout is visible. Items with nothing to show (a Repeater, an
    // empty Item) take no place either, like in Qt Quick's own positioners.
    if (isVisible() && !child->isVisible())
        return false;
    return child->implicitWidth() > 0 && child->implicitHeight() > 0;
}

void MasonryLayout::updatePolish()
{
    std::vector<QQuickItem *> tiles;
    std::vector<QSizeF> sizes;
    for (QQuickItem *child : childItems()) {
        if (!takesPlace(child)) {
            watchRepeaterModel(child);
            continue;
        }
        tiles.push_back(child);
        sizes.emplace_back(child->implicitWidth(), child->implicitHeight());
    }

    const std::vector<QPointF> positions = MasonryGeometry::place(sizes, 0, 0, width());
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        tiles[i]->setSize(sizes[i]);
        tiles[i]->setPosition(positions[i]);
    }
    setImplicitHeight(MasonryGeometry::measure(sizes, width()).height());
}
