#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the picker window opens: against the tray item, on the side facing away from the
// panel, or beside the pointer when the tray does not say where its item is. Always inside the
// screen's free area.
class WindowPlacement {
public:
    // The gap between the window and the tray item or the pointer.
    static constexpr int gap = 4;

    // Top-left corner of the window. `trayRect` is empty when the tray gives no geometry;
    // `screenRect` is the available geometry (without panels) of the screen holding the item.
    static QPoint place(const QRect &trayRect, const QPoint &cursorPos, const QSize &windowSize,
        const QRect &screenRect);

private:
    static QPoint besideTray(
        const QRect &trayRect, const QSize &windowSize, const QRect &screenRect);
    static QPoint besidePointer(
        const QPoint &cursorPos, const QSize &windowSize, const QRect &screenRect);
    static QPoint clamped(QPoint topLeft, const QSize &windowSize, const QRect &screenRect);
};
