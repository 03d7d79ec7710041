pragma ComponentBehavior: Bound

import QtQuick
import QtQuick.Controls.Fusion
import QtQuick.Dialogs
import QtQuick.Layouts
import Pelmora

// The "…" button at the end of the header and its menu: "Import…" and "Export…" of the user's
// own kaomoji, "Donate" and "Quit".
AbstractButton {
    id: menuButton

    required property KaomojiView view
    // The key that quits, shown beside "Quit"; empty where the platform has none.
    property string quitShortcutText

    objectName: "menuButton"
    implicitWidth: implicitContentWidth + leftPadding + rightPadding
    implicitHeight: implicitContentHeight + topPadding + bottomPadding
    padding: 4
    focusPolicy: Qt.TabFocus
    //: The name of the menu button for screen readers
    Accessible.name: qsTr("Menu")

    contentItem: SymbolImage {
        name: "ellipsis"
        color: Theme.primary
    }

    onClicked: menu.open()
    // Qt Quick's buttons do not run their own click for a screen reader's action.
    Accessible.onPressAction: menu.open()
    Keys.onReturnPressed: menu.open()
    Keys.onEnterPressed: menu.open()

    FocusRing {
        cornerRadius: 4
        visible: menuButton.visualFocus
    }

    Menu {
        id: menu

        objectName: "mainMenu"
        x: menuButton.width - width
        y: menuButton.height

        MenuItem {
            objectName: "importItem"
            //: Menu item that adds the kaomoji of a file the user picks to their own
            text: qsTr("Import…")
            onTriggered: importDialog.open()
        }

        MenuItem {
            objectName: "exportItem"
            //: Menu item that writes the user's own kaomoji to a file they pick
            text: qsTr("Export…")
            onTriggered: exportDialog.open()
        }

        MenuItem {
            objectName: "donateItem"
            //: Menu item that opens the donation page in the browser
            text: qsTr("Donate")
            onTriggered: menuButton.view.donate()
            Accessible.onPressAction: triggered()
        }

        MenuItem {
            id: quitItem

            objectName: "quitItem"
            //: Menu item that ends the application
            text: qsTr("Quit")
            onTriggered: menuButton.view.quit()
            Accessible.onPressAction: triggered()
            contentItem: RowLayout {
                spacing: 24

                Text {
                    Layout.fillWidth: true
                    text: quitItem.text
                    font: quitItem.font
                    color: quitItem.highlighted ? quitItem.palette.highlightedText
                                                : quitItem.palette.text
                }

                Text {
                    objectName: "quitShortcutText"
                    text: menuButton.quitShortcutText
                    textFormat: Text.PlainText
                    font: quitItem.font
                    color: quitItem.highlighted ? quitItem.palette.highlightedText
                                                : quitItem.palette.text
                    opacity: 0.6
                }
            }
        }
    }

    FileDialog {
        id: importDialog

        objectName: "importDialog"
        // Found only once the button is in its window, after the dialog is made.
        parentWindow: menuButton.Window.window
        //: Title of the file dialog that picks a file of kaomoji to add
        title: qsTr("Import Kaomoji")
        //: File type filters of the import dialog; keep the patterns in parentheses
        nameFilters: [qsTr("Kaomoji files (*.json *.txt)"), qsTr("All files (*)")]
        onAccepted: menuButton.view.importKaomojiFile(selectedFile)
    }

    // A folder rather than a file name: Qt Quick's own dialog, used where the desktop offers
    // none, leaves no room for a name in a window as narrow as the picker.
    FolderDialog {
        id: exportDialog

        objectName: "exportDialog"
        parentWindow: menuButton.Window.window
        //: Title of the dialog that picks the folder where the user's own kaomoji go
        title: qsTr("Export Kaomoji to a Folder")
        onAccepted: menuButton.view.exportKaomojiFile(selectedFolder)
    }
}
