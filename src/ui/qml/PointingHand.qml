import QtQuick
import Pelmora

// Shows the pointing hand while the pointer is over its area: exactly one push when the
// pointer comes and one pop when it goes, also when the area goes away under the pointer.
// An item of its own, because a handler makes its item take every mouse button: on a
// button itself, a right click would press it.
Item {
    id: pointingHand

    required property KaomojiView view
    property bool pushed: false

    HoverHandler {
        onHoveredChanged: {
            if (hovered && !pointingHand.pushed) {
                pointingHand.pushed = true
                pointingHand.view.pushPointingHand()
            } else if (!hovered && pointingHand.pushed) {
                pointingHand.pushed = false
                pointingHand.view.popPointingHand()
            }
        }
    }

    Component.onDestruction: {
        if (pushed)
            view.popPointingHand()
    }
}
