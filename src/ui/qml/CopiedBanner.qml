pragma ComponentBehavior: Bound

import QtQuick
import Pelmora

// "Copied: " and the face, with a note below when there is one, in the inverted colours of text on its background, floating
// above a soft shadow. It has no action; clicks on it do not reach the tiles beneath.
Item {
    id: banner

    required property string face
    // The tiles' font, at the banner's size: the face looks as on its tile, and no fonts are
    // opened for it beyond those the tiles use.
    required property font faceFont
    property string note
    // While a screen reader may hear of it: from the copy until the banner starts to leave.
    property bool announced: true
    readonly property alias text: label.text

    objectName: "copiedBanner"
    // A note wraps within most of the window's width.
    implicitWidth: note ? Math.max(label.implicitWidth, 260) : label.implicitWidth
    implicitHeight: label.implicitHeight + (note ? noteLine.implicitHeight : 0)

    // The shadow's blur, drawn without shaders: rings of the box's shape that grow fainter
    // outwards, 2 px below the box.
    Repeater {
        model: [
            { "spread": 3, "opacity": 0.03 },
            { "spread": 2, "opacity": 0.05 },
            { "spread": 1, "opacity": 0.07 },
            { "spread": 0, "opacity": 0.08 }
        ]

        delegate: Rectangle {
            required property var modelData

            x: -modelData.spread
            y: 2 - modelData.spread
            width: banner.width + 2 * modelData.spread
            height: banner.height + 2 * modelData.spread
            radius: 5 + modelData.spread
            color: Theme.primary
            opacity: modelData.opacity
        }
    }

    Rectangle {
        anchors.fill: parent
        radius: 5
        color: Theme.text
    }

    InkText {
        id: label

        objectName: "copiedText"
        margin: 8
        font: banner.faceFont
        //: The banner after a copy; %1 is the copied kaomoji
        text: qsTr("Copied: %1").arg(banner.face)
        color: Theme.textBackground
    }

    Text {
        id: noteLine

        objectName: "copiedNote"
        y: label.implicitHeight
        width: banner.width
        visible: banner.note !== ""
        leftPadding: 8
        rightPadding: 8
        bottomPadding: 8
        wrapMode: Text.Wrap
        textFormat: Text.PlainText
        text: banner.note
        color: Theme.textBackground
    }

    // What a screen reader hears, as it appears and again when another copy renames it. Gone as
    // the banner starts to leave: the spring then swings the banner in and out of sight, and
    // each return would be announced.
    Item {
        objectName: "copiedAnnouncement"
        anchors.fill: parent
        visible: banner.announced
        Accessible.role: Accessible.AlertMessage
        Accessible.name: banner.note ? label.text + "\n" + banner.note : label.text
    }

    MouseArea {
        anchors.fill: parent
        acceptedButtons: Qt.AllButtons
    }
}
