import QtQuick

// A window of the picker's size with one line of text input: what any Qt Quick picker shows.
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
}
