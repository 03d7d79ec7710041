import QtQuick
import Pelmora

// A pop-up menu over the window's content. It opens at a place of an item and takes the
// keyboard: Up and Down move, Return, Enter or Space choose, Escape closes. A press anywhere
// else closes it and goes on to what lies under it. Closed, it gives the keyboard back to
// where it was.
FocusScope {
    id: menu

    // The menu's items, top to bottom.
    default property alias items: column.data
    property int currentIndex: -1
    readonly property alias panelWidth: panel.width
    // Where the keyboard was when the menu opened, to give it back to.
    property Item focusBefore

    function popup(item: Item, x: real, y: real) {
        const layer = item.Window.window.contentItem
        menu.focusBefore = item.Window.window.activeFocusItem
        menu.parent = layer
        const place = item.mapToItem(layer, x, y)
        panel.x = Math.max(0, Math.min(place.x, layer.width - panel.width))
        // Above the place when it would not fit below.
        panel.y = place.y + panel.height <= layer.height ? place.y
                                                         : Math.max(0, place.y - panel.height)
        menu.currentIndex = -1
        menu.visible = true
        menu.forceActiveFocus()
    }

    // The items take the panel's width: the panel takes the widest one's own.
    function widestItem(): real {
        let widest = 0
        for (let index = 0; index < column.children.length; ++index)
            widest = Math.max(widest, column.children[index].implicitWidth)
        return widest
    }

    function close() {
        if (!menu.visible)
            return
        menu.visible = false
        if (menu.focusBefore && menu.focusBefore.visible)
            menu.focusBefore.forceActiveFocus()
    }

    // To the next item that can be chosen, round past either end; from none, Down goes to the
    // first and Up to the last.
    function move(step: int) {
        const count = column.children.length
        let index = menu.currentIndex >= 0 ? menu.currentIndex : (step > 0 ? -1 : count)
        for (let tries = 0; tries < count; ++tries) {
            index = (index + step + count) % count
            if (column.children[index].enabled) {
                menu.currentIndex = index
                return
            }
        }
    }

    anchors.fill: parent
    visible: false
    z: 1000
    Component.onCompleted: {
        for (let index = 0; index < column.children.length; ++index) {
            column.children[index].menu = menu
            column.children[index].index = index
        }
    }

    Keys.onUpPressed: move(-1)
    Keys.onDownPressed: move(1)
    Keys.onEscapePressed: close()
    Keys.onPressed: event => {
        const item = column.children[menu.currentIndex]
        if (item && (event.key === Qt.Key_Return || event.key === Qt.Key_Enter
                     || event.key === Qt.Key_Space))
            item.trigger()
        // Nothing typed while the menu is open reaches the window beneath.
        event.accepted = true
    }

    MouseArea {
        anchors.fill: parent
        onPressed: mouse => {
            menu.close()
            mouse.accepted = false
        }
    }

    Rectangle {
        id: panel

        objectName: "menuPanel"
        width: Math.max(160, menu.widestItem())
        height: column.implicitHeight + 2 * 4
        color: Theme.controlBackground
        border.width: 1
        border.color: Theme.outline
        radius: 2
        Accessible.role: Accessible.PopupMenu

        // Takes the presses on the panel's own border and padding, which close nothing.
        MouseArea {
            anchors.fill: parent
        }

        Column {
            id: column

            y: 4
            width: parent.width
        }
    }
}
