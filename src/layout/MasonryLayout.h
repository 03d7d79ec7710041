#pragma once

#include <QQuickItem>
#include <QtQml/qqmlregistration.h>

// Flows its children left to right in rows at their implicit sizes, wrapping a child that would
// cross the right edge, and publishes the resulting height as implicitHeight. The width comes
// from outside (anchors or an explicit width); children keep their stacking order, which for
// Repeater delegates is the model's order.
class MasonryLayout : public QQuickItem {
    Q_OBJECT
    QML_ELEMENT

public:
    explicit MasonryLayout(QQuickItem *parent = nullptr);

protected:
    void geometryChange(const QRectF &newGeometry, const QRectF &oldGeometry) override;
    void itemChange(ItemChange change, const ItemChangeData &value) override;
    void updatePolish() override;

private:
    void watchChild(QQuickItem *child);
    void watchRepeaterModel(const QQuickItem *child);
    bool takesPlace(const QQuickItem *child) const;
};
