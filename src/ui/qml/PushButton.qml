import QtQuick
import Pelmora

// A form's push button: its title on the desktop's button colour, faded while it does nothing.
PlainButton {
    id: button

    property string text
    // Hides the title, keeping the button's size, for what stands in for it.
    property bool titleShown: true

    implicitWidth: Math.max(80, title.implicitWidth + 16)
    implicitHeight: Math.max(24, title.implicitHeight + 8)
    Accessible.name: text

    Rectangle {
        id: face

        anchors.fill: parent
        radius: 2
        readonly property color tone: button.pressed ? Theme.palette.mid : Theme.palette.button

        gradient: Gradient {
            GradientStop {
                position: 0
                color: Qt.lighter(face.tone, 1.04)
            }
            GradientStop {
                position: 1
                color: Qt.darker(face.tone, 1.04)
            }
        }
        border.width: 1
        border.color: button.visualFocus ? Theme.accent : Theme.outline
    }

    Text {
        id: title

        anchors.centerIn: parent
        text: button.text
        textFormat: Text.PlainText
        color: button.enabled ? Theme.palette.buttonText : Theme.disabledPalette.buttonText
        opacity: button.titleShown ? 1 : 0
    }
}
