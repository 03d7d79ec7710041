import QtQuick
import Pelmora

// One choice of a PopupMenu, with a key that does the same shown on its right.
Item {
    id: menuItem

    property string text
    property string shortcutText
    property alias shortcutObjectName: shortcut.objectName
    // Set by the menu that holds the item.
    property PopupMenu menu
    property int index: -1
    readonly property bool highlighted: menu !== null && menu.currentIndex === index

    signal triggered

    // Closes the menu first, so that the keyboard goes back before the choice runs.
    function trigger() {
        if (!menuItem.enabled)
            return
        if (menuItem.menu)
            menuItem.menu.close()
        menuItem.triggered()
    }

    width: parent ? parent.width : implicitWidth
    implicitWidth: title.implicitWidth + (shortcutText ? shortcut.implicitWidth + 24 : 0) + 2 * 12
    implicitHeight: title.implicitHeight + 2 * 5
    Accessible.role: Accessible.MenuItem
    Accessible.name: text
    Accessible.onPressAction: trigger()

    Rectangle {
        anchors.fill: parent
        anchors.leftMargin: 1
        anchors.rightMargin: 1
        visible: menuItem.highlighted
        color: Theme.accent
    }

    Text {
        id: title

        x: 12
        anchors.verticalCenter: parent.verticalCenter
        text: menuItem.text
        textFormat: Text.PlainText
        color: menuItem.highlighted ? Theme.palette.highlightedText : Theme.text
    }

    Text {
        id: shortcut

        anchors.right: parent.right
        anchors.rightMargin: 12
        anchors.verticalCenter: parent.verticalCenter
        text: menuItem.shortcutText
        textFormat: Text.PlainText
        color: title.color
        opacity: 0.6
    }

    MouseArea {
        anchors.fill: parent
        hoverEnabled: true
        onEntered: {
            if (menuItem.menu)
                menuItem.menu.currentIndex = menuItem.index
        }
        onExited: {
            if (menuItem.menu && menuItem.menu.currentIndex === menuItem.index)
                menuItem.menu.currentIndex = -1
        }
        onClicked: menuItem.trigger()
    }
}
