#include "WindowPlacement.h"

#include <algorithm>

namespace {

enum class Edge { Top, Bottom, Left, Right };

// The panel holding the item: the side of the free area the item lies beyond, or, for
// panels that reserve no space, the screen edge the item is closest to.
Edge panelEdge(const QRect &trayRect, const QRect &screenRect)
{
    if (trayRect.bottom() < screenRect.top())
        return Edge::Top;
    if (trayRect.top() > screenRect.bottom())
        return Edge::Bottom;
    if (trayRect.right() < screenRect.left())
        return Edge::Left;
    if (trayRect.left() > screenRect.right())
        return Edge::Right;

    const int top = trayRect.top() - screenRect.top();
    const int bottom = screenRect.bottom() - trayRect.bottom();
    const int left = trayRect.left() - screenRect.left();
    const int right = screenRect.right() - trayRect.right();
    const int nearest = std::min({ top, bottom, left, right });
    if (nearest == top)
        return Edge::Top;
    if (nearest == bottom)
        return Edge::Bottom;
    if (nearest == left)
        return Edge::Left;
    return Edge::Right;
}

} // namespace

QPoint WindowPlacement::place(const QRect &trayRect, const QPoint &cursorPos,
    const QSize &windowSize, const QRect &screenRect)
{
    const QPoint topLeft = trayRect.isEmpty() ? besidePointer(cursorPos, windowSize, screenRect)
                                              : besideTray(trayRect, windowSize, screenRect);
    return clamped(topLeft, windowSize, screenRect);
}

QPoint WindowPlacement::besideTray(
    const QRect &trayRect, const QSize &windowSize, const QRect &screenRect)
{
    const QPoint center = trayRect.center();
    const int centeredX = center.x() - windowSize.width() / 2;
    const int centeredY = center.y() - windowSize.height() / 2;
    switch (panelEdge(trayRect, screenRect)) {
    case Edge::Top:
        return { centeredX, trayRect.bottom() + 1 + gap };
    case Edge::Bottom:
        return { centeredX, trayRect.top() - gap - windowSize.height() };
    case Edge::Left:
        return { trayRect.right() + 1 + gap, centeredY };
    case Edge::Right:
        return { trayRect.left() - gap - windowSize.width(), centeredY };
    }
    return trayRect.topLeft();
}

QPoint WindowPlacement::besidePointer(
    const QPoint &cursorPos, const QSize &windowSize, const QRect &screenRect)
{
    // Below and to the right of the pointer, flipped to the other side where that would leave
    // the screen, so the window never opens under the pointer.
    int x = cursorPos.x() + gap;
    if (x + windowSize.width() - 1 > screenRect.right())
        x = cursorPos.x() - gap - windowSize.width();
    int y = cursorPos.y() + gap;
    if (y + windowSize.height() - 1 > screenRect.bottom())
        y = cursorPos.y() - gap - windowSize.height();
    return { x, y };
}

QPoint WindowPlacement::clamped(QPoint topLeft, const QSize &windowSize, const QRect &screenRect)
{
    // A window larger than the screen keeps its top-left corner visible.
    topLeft.setX(std::max(
        screenRect.left(), std::min(topLeft.x(), screenRect.right() + 1 - windowSize.width())));
    topLeft.setY(std::max(
        screenRect.top(), std::min(topLeft.y(), screenRect.bottom() + 1 - windowSize.height())));
    return topLeft;
}
