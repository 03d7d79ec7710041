import QtQuick
import QtQuick.Controls.Fusion
import Pelmora

// One chip of the category bar: the category's name, filled in the accent colour and a
// little larger while selected. A click only reports itself; the window decides.
AbstractButton {
    id: chip

    required property KaomojiView view
    required property string category
    required property bool isSelected
    // Grows into the gaps around the chip without moving its neighbours. Drawn larger
    // rather than scaled as an item, which the software renderer would draw with jagged
    // corners.
    property real selectionScale: isSelected ? 1.1 : 1.0

    objectName: "categoryButton"
    implicitWidth: implicitContentWidth + leftPadding + rightPadding
    implicitHeight: implicitContentHeight + topPadding + bottomPadding
    leftPadding: 10
    rightPadding: 10
    topPadding: 5
    bottomPadding: 5
    leftInset: -(selectionScale - 1) * width / 2
    rightInset: leftInset
    topInset: -(selectionScale - 1) * height / 2
    bottomInset: topInset
    focusPolicy: Qt.TabFocus
    Accessible.name: chip.view.categoryName(chip.category)
    // A checkable button, so that screen readers hear of it as one that is on or off.
    checkable: true
    checked: isSelected

    Behavior on selectionScale {
        SpringAnimation {
            spring: Theme.springStiffness
            damping: Theme.bouncySpringDamping
            epsilon: 0.002
        }
    }

    contentItem: InkText {
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

    background: Rectangle {
        objectName: "chipBackground"
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

    Keys.onReturnPressed: clicked()
    // A screen reader's action: without these, Qt would flip `checked` and nothing else.
    Accessible.onPressAction: clicked()
    Accessible.onToggleAction: clicked()
    Keys.onEnterPressed: clicked()

    PointingHand {
        anchors.fill: parent
        view: chip.view
    }
}
