import QtQuick
import Pelmora

// What every button of the window shares: a left click, Space, Return or Enter, or a screen
// reader's action runs `clicked`. Only Tab and the window's own moves give it the keyboard, so
// a click leaves the keyboard where it was, in the search field as a rule.
Item {
    id: button

    // The keyboard is on it: a click never puts it there.
    readonly property bool visualFocus: activeFocus
    readonly property alias pressed: mouse.pressed

    // Shows the pointing hand while the pointer is over the button, through this view: exactly
    // one push when the pointer comes and one pop when it goes, also when the button goes away
    // under the pointer.
    property KaomojiView pointingHandView: null
    property bool pushedPointingHand: false
    // Whether a right click reaches `rightClicked` (else it does nothing).
    property bool takesRightClick: false

    signal clicked
    signal rightClicked(real x, real y)

    function showPointingHand(shown: bool) {
        if (!button.pointingHandView || shown === button.pushedPointingHand)
            return
        button.pushedPointingHand = shown
        if (shown)
            button.pointingHandView.pushPointingHand()
        else
            button.pointingHandView.popPointingHand()
    }

    function activate() {
        if (button.enabled)
            button.clicked()
    }

    activeFocusOnTab: true
    Accessible.role: Accessible.Button
    Accessible.focusable: true
    Accessible.onPressAction: activate()
    Keys.onSpacePressed: event => {
        if (!event.isAutoRepeat)
            activate()
    }
    Keys.onReturnPressed: activate()
    Keys.onEnterPressed: activate()
    Component.onDestruction: showPointingHand(false)

    // A mouse area, not handlers: a tap handler takes every button (and Qt 6.4 on Wayland
    // reports the pointer as a touchpad, whose taps it takes whatever the button).
    MouseArea {
        id: mouse

        anchors.fill: parent
        acceptedButtons: button.takesRightClick ? Qt.LeftButton | Qt.RightButton : Qt.LeftButton
        hoverEnabled: button.pointingHandView !== null
        onContainsMouseChanged: button.showPointingHand(containsMouse)
        onClicked: mouse => {
            if (mouse.button === Qt.RightButton)
                button.rightClicked(mouse.x, mouse.y)
            else
                button.activate()
        }
    }
}
