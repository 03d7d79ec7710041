pragma ComponentBehavior: Bound

import QtQuick
import Pelmora

// A ring of dots turning while something runs.
Item {
    id: spinner

    property bool running: false
    property color color: Theme.primary

    implicitWidth: 16
    implicitHeight: 16

    Repeater {
        model: 8

        delegate: Rectangle {
            required property int index
            readonly property real angle: index * Math.PI / 4

            width: spinner.width / 5
            height: width
            radius: width / 2
            x: (spinner.width - width) / 2 * (1 + Math.cos(angle))
            y: (spinner.height - height) / 2 * (1 + Math.sin(angle))
            color: spinner.color
            opacity: 0.2 + 0.8 * index / 7
        }
    }

    RotationAnimator on rotation {
        from: 0
        to: 360
        duration: 1000
        loops: Animation.Infinite
        running: spinner.running
    }
}
