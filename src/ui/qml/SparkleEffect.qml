pragma ComponentBehavior: Bound

import QtQuick
import Pelmora
import Pelmora.Layout

// Marks the newest generated kaomoji: a softly glowing yellow outline that pulses, and
// `sparkleCount` stars that each grow out of the centre towards a point of their own and
// drift away, every one in its own rhythm. Fills the area it is given.
Item {
    id: effect

    property int sparkleCount: 15
    // A hidden window shows nothing, so it runs no animation either.
    readonly property bool running: effect.visible && effect.Window.window !== null
                                    && effect.Window.window.visible
    // The stars draw their places from the area, so they wait until it has a size.
    readonly property bool sparkling: effect.running && effect.width > 0 && effect.height > 0

    objectName: "sparkleEffect"

    // The blur of the outline, drawn without shaders: the sharp 2 px stroke over wider,
    // fainter strokes along the same path.
    Item {
        id: glow

        objectName: "sparkleGlow"
        anchors.fill: parent
        opacity: 0.2

        Repeater {
            model: [
                { "width": 8, "opacity": 0.12 },
                { "width": 6, "opacity": 0.2 },
                { "width": 4, "opacity": 0.35 },
                { "width": 2, "opacity": 1 }
            ]

            delegate: Rectangle {
                required property var modelData
                // Every stroke is centred on the line 1 px inside the edge.
                readonly property real outset: modelData.width / 2 - 1

                x: -outset
                y: -outset
                width: glow.width + 2 * outset
                height: glow.height + 2 * outset
                radius: 10 + outset
                color: "transparent"
                border.width: modelData.width
                border.color: Theme.yellow
                opacity: modelData.opacity
            }
        }

        SequentialAnimation {
            running: effect.running
            loops: Animation.Infinite

            NumberAnimation {
                target: glow
                property: "opacity"
                to: 0.8
                duration: 1500
                easing.type: Easing.InOutQuad
            }
            NumberAnimation {
                target: glow
                property: "opacity"
                to: 0.2
                duration: 1500
                easing.type: Easing.InOutQuad
            }
        }
    }

    SparkleMotion {
        id: motion
    }

    Repeater {
        model: effect.sparkleCount

        delegate: Sparkle {
            id: sparkle

            required property int index
            // Drawn once per appearance, then replayed: each star keeps its place and rhythm.
            property var path: null
            property real offsetX: 0
            property real offsetY: 0
            readonly property real period: sparkle.path ? sparkle.path.period * 1000 : 0
            readonly property var curve: [0.33, 0, 0.67, 1, 1, 1]

            objectName: "sparkle"
            x: (effect.width - width) / 2 + offsetX
            y: (effect.height - height) / 2 + offsetY
            scale: 0.1
            opacity: 0

            function twinkleWhileSparkling() {
                if (!effect.sparkling) {
                    twinkle.stop()
                    return
                }
                if (sparkle.path === null)
                    sparkle.path = motion.draw(effect.width, effect.height)
                twinkle.restart()
            }

            Component.onCompleted: twinkleWhileSparkling()

            Connections {
                target: effect

                function onSparklingChanged() {
                    sparkle.twinkleWhileSparkling()
                }
            }

            SequentialAnimation {
                id: twinkle

                PauseAnimation {
                    duration: sparkle.path ? sparkle.path.delay * 1000 : 0
                }
                SequentialAnimation {
                    loops: Animation.Infinite

                    PropertyAction {
                        target: sparkle
                        property: "scale"
                        value: 0.1
                    }
                    PropertyAction {
                        target: sparkle
                        properties: "opacity,offsetX,offsetY"
                        value: 0
                    }
                    // Grows towards its place until the fade-out sets in, 0.75 periods on…
                    ParallelAnimation {
                        NumberAnimation {
                            target: sparkle
                            property: "scale"
                            to: sparkle.path ? sparkle.path.scale : 0
                            duration: 0.75 * sparkle.period
                            easing.type: Easing.BezierSpline
                            easing.bezierCurve: sparkle.curve
                        }
                        NumberAnimation {
                            target: sparkle
                            property: "opacity"
                            to: sparkle.path ? sparkle.path.opacity : 0
                            duration: 0.75 * sparkle.period
                            easing.type: Easing.BezierSpline
                            easing.bezierCurve: sparkle.curve
                        }
                        NumberAnimation {
                            target: sparkle
                            property: "offsetX"
                            to: sparkle.path ? sparkle.path.x : 0
                            duration: 0.75 * sparkle.period
                            easing.type: Easing.BezierSpline
                            easing.bezierCurve: sparkle.curve
                        }
                        NumberAnimation {
                            target: sparkle
                            property: "offsetY"
                            to: sparkle.path ? sparkle.path.y : 0
                            duration: 0.75 * sparkle.period
                            easing.type: Easing.BezierSpline
                            easing.bezierCurve: sparkle.curve
                        }
                    }
                    // …then fades away while drifting half as far again, to the end of the
                    // period.
                    ParallelAnimation {
                        NumberAnimation {
                            target: sparkle
                            properties: "scale,opacity"
                            to: 0
                            duration: 0.25 * sparkle.period
                            easing.type: Easing.BezierSpline
                            easing.bezierCurve: sparkle.curve
                        }
                        NumberAnimation {
                            target: sparkle
                            property: "offsetX"
                            to: sparkle.path ? sparkle.path.fadeX : 0
                            duration: 0.25 * sparkle.period
                            easing.type: Easing.BezierSpline
                            easing.bezierCurve: sparkle.curve
                        }
                        NumberAnimation {
                            target: sparkle
                            property: "offsetY"
                            to: sparkle.path ? sparkle.path.fadeY : 0
                            duration: 0.25 * sparkle.period
                            easing.type: Easing.BezierSpline
                            easing.bezierCurve: sparkle.curve
                        }
                    }
                }
            }
        }
    }
}
