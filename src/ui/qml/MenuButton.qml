pragma ComponentBehavior: Bound

import QtQuick
import Pelmora

// The "…" button at the end of the header and its menu: "Import…" and "Export…" of the user's
// own kaomoji, "Donate" and "Quit".
PlainButton {
    id: menuButton

    required property KaomojiView view
    // The key that quits, shown beside "Quit"; empty where the platform has none.
    property string quitShortcutText
    // Made at the first click: most starts never open it.
    property PopupMenu menu: null

    objectName: "menuButton"
    implicitWidth: symbol.implicitWidth + 2 * 4
    implicitHeight: symbol.implicitHeight + 2 * 4
    //: The name of the menu button for screen readers
    Accessible.name: qsTr("Menu")

    // The file dialogs, made the first time one is asked for: most starts need neither.
    function openFileDialog(name: string) {
        fileDialogs.active = true
        // Not named by its type here, which would load the dialogs' module with this file.
        fileDialogs.item.open(name) // qmllint disable type
    }

    onClicked: {
        if (!menuButton.menu)
            menuButton.menu = menuComponent.createObject(menuButton)
        menuButton.menu.popup(menuButton, menuButton.width - menuButton.menu.panelWidth,
                              menuButton.height)
    }

    SymbolImage {
        id: symbol

        anchors.centerIn: parent
        name: "ellipsis"
        color: Theme.primary
    }

    FocusRing {
        cornerRadius: 4
        visible: menuButton.visualFocus
    }

    Component {
        id: menuComponent

        PopupMenu {
            objectName: "mainMenu"

            PopupMenuItem {
                objectName: "importItem"
                //: Menu item that adds the kaomoji of a file the user picks to their own
                text: qsTr("Import…")
                onTriggered: menuButton.openFileDialog("import")
            }

            PopupMenuItem {
                objectName: "exportItem"
                //: Menu item that writes the user's own kaomoji to a file they pick
                text: qsTr("Export…")
                onTriggered: menuButton.openFileDialog("export")
            }

            PopupMenuItem {
                objectName: "donateItem"
                //: Menu item that opens the donation page in the browser
                text: qsTr("Donate")
                onTriggered: menuButton.view.donate()
            }

            PopupMenuItem {
                objectName: "quitItem"
                //: Menu item that ends the application
                text: qsTr("Quit")
                shortcutText: menuButton.quitShortcutText
                shortcutObjectName: "quitShortcutText"
                onTriggered: menuButton.view.quit()
            }
        }
    }

    Loader {
        id: fileDialogs

        active: false
        source: "FileDialogs.qml"
        onLoaded: item.view = menuButton.view
    }
}
