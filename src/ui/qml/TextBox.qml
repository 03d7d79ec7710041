import QtQuick
import Pelmora

// A one-line text field with a placeholder, in the desktop's colours; `framed` draws the box
// of a form's field around it.
TextInput {
    id: field

    property string placeholderText
    property bool framed: false

    activeFocusOnTab: true
    selectByMouse: true
    clip: true
    color: Theme.text
    selectionColor: Theme.accent
    selectedTextColor: Theme.palette.highlightedText
    // A form's field is as tall as its buttons, its text in the middle.
    height: Math.max(framed ? 24 : 0, implicitHeight)
    leftPadding: framed ? 4 : 0
    rightPadding: leftPadding
    verticalAlignment: TextInput.AlignVCenter
    // What the placeholder says is the field's only label.
    Accessible.name: placeholderText

    Text {
        objectName: "placeholder"
        x: field.leftPadding
        width: field.width - field.leftPadding - field.rightPadding
        anchors.verticalCenter: parent.verticalCenter
        visible: field.text.length === 0 && field.preeditText.length === 0
        text: field.placeholderText
        textFormat: Text.PlainText
        font: field.font
        color: Theme.secondary
        elide: Text.ElideRight
    }

    Rectangle {
        z: -1
        anchors.fill: parent
        visible: field.framed
        radius: 2
        color: Theme.textBackground
        border.width: 1
        border.color: field.activeFocus ? Theme.accent : Theme.outline
    }
}
