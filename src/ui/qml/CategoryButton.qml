import QtQuick
import Pelmora

// One chip of the category bar: the category's name, filled in the accent colour and a
// little larger while selected. A click only reports itself; the window decides.
PlainButton {
    id: chip

    required property KaomojiView view
    required property string category
    required property bool isSelected
    // A screen reader hears of the chip as a check box, checked while selected.
    readonly property bool checked: isSelected
    // Grows into the gaps around the chip without moving its neighbours. Drawn larger
    // rather than scaled as an item, which the software renderer would draw with jagged
    // corners.
    property real selectionScale: isSelected ? 1.1 : 1.0

    objectName: "categoryButton"
    pointingHandView: view
    implicitWidth: label.implicitWidth + 2 * 10
    implicitHeight: label.implicitHeight + 2 * 5
    Accessible.role: Accessible.CheckBox
    Accessible.name: chip.view.categoryName(chip.category)
    Accessible.checkable: true
    Accessible.checked: checked
    // A screen reader's action: without this, Qt would change nothing.
    Accessible.onToggleAction: activate()

    Behavior on selectionScale {
        SpringAnimation {
            spring: Theme.springStiffness
            damping: Theme.bouncySpringDamping
            epsilon: 0.002
        }
    }

    Rectangle {
        objectName: "chipBackground"
        anchors.fill: parent
        anchors.leftMargin: -(chip.selectionScale - 1) * chip.width / 2
        anchors.rightMargin: anchors.leftMargin
        anchors.topMargin: -(chip.selectionScale - 1) * chip.height / 2
        anchors.bottomMargin: anchors.topMargin
        radius: 15 * chip.selectionScale
        color: chip.isSelected ? Theme.accent : Theme.controlBackground

        Behavior on color {
            ColorAnimation {
                duration: Theme.springSettleMilliseconds
                easing.type: Easing.OutCubic
            }
        }

        FocusRing {
            cornerRadius: parent.radius
            visible: chip.visualFocus
        }
    }

    InkText {
        id: label

        objectName: "chipLabel"
        anchors.centerIn: parent
        text: chip.view.categoryName(chip.category)
        scale: chip.selectionScale
        color: chip.isSelected ? Theme.white : Theme.primary

        Behavior on color {
            ColorAnimation {
                duration: Theme.springSettleMilliseconds
                easing.type: Easing.OutCubic
            }
        }
    }
}
