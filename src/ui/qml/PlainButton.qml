import QtQuick

// What every button of the window shares: a left click, Space, Return or Enter, or a screen
// reader's action runs `clicked`. Only Tab and the window's own moves give it the keyboard, so
// a click leaves the keyboard where it was, in the search field as a rule.
Item {
    id: button

    // The keyboard is on it: a click never puts it there.
    readonly property bool visualFocus: activeFocus
    readonly property alias pressed: mouse.pressed

    signal clicked

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

    MouseArea {
        id: mouse

        anchors.fill: parent
        onClicked: button.activate()
    }
}
