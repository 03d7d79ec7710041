import QtQuick
import Pelmora

// The outline around a chip or tile that has the keyboard focus, just outside its edge.
Rectangle {
    property real cornerRadius: 0

    anchors.fill: parent
    anchors.margins: -(Theme.focusRingWidth + 1)
    radius: cornerRadius + Theme.focusRingWidth + 1
    color: "transparent"
    border.width: Theme.focusRingWidth
    border.color: Theme.focusRing
}
