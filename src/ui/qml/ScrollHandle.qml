import QtQuick
import Pelmora

// A list's scroll bar along its right edge: a handle that shows while the list moves or the
// pointer is near, and that can be dragged.
Item {
    id: bar

    required property Flickable flickable
    readonly property bool shown: flickable.moving || hover.hovered || drag.pressed

    width: 10
    visible: flickable.contentHeight > flickable.height

    HoverHandler {
        id: hover
    }

    Rectangle {
        id: handle

        x: 3
        y: bar.flickable.visibleArea.yPosition * bar.height
        width: bar.width - 5
        height: Math.max(20, bar.flickable.visibleArea.heightRatio * bar.height)
        radius: width / 2
        color: Theme.secondary
        opacity: bar.shown ? 1 : 0

        Behavior on opacity {
            NumberAnimation {
                duration: 300
            }
        }

        MouseArea {
            id: drag

            property real grabbedAt

            // A few pixels wider than the handle, which is thin.
            anchors.fill: parent
            anchors.margins: -3
            enabled: handle.opacity > 0
            onPressed: mouse => grabbedAt = mouse.y
            onPositionChanged: mouse => {
                const flickable = bar.flickable
                const top = handle.y + mouse.y - grabbedAt
                const reach = flickable.contentHeight + flickable.topMargin
                        + flickable.bottomMargin
                const contentY = top / bar.height * reach - flickable.topMargin
                flickable.contentY = Math.max(-flickable.topMargin, Math.min(
                    flickable.contentHeight + flickable.bottomMargin - flickable.height,
                    contentY))
            }
        }
    }
}
