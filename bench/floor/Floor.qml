import QtQuick

// A window of the picker's size with one line of text input and one tile that answers a click:
// what any Qt Quick picker shows.
Rectangle {
    width: 300
    height: 400
    color: "#efefef"

    TextInput {
        x: 16
        y: 16
        width: parent.width - 32
        focus: true
        font.pixelSize: 14
    }

    // At 16, 48 (the benchmark clicks inside it). Tab reaches it, so that the field's cursor
    // stops blinking, as Tab does in the picker.
    Rectangle {
        id: tile

        x: 16
        y: 48
        width: 80
        height: 32
        radius: 5
        activeFocusOnTab: true
        color: tapped ? "#3d7be0" : "#dddddd"

        property bool tapped: false

        MouseArea {
            anchors.fill: parent
            onClicked: tile.tapped = !tile.tapped
        }
    }
}
