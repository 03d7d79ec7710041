import QtQuick
import QtQuick.Dialogs
import Pelmora

// The file dialogs of the menu's "Import…" and "Export…". A file of their own, loaded the first
// time one of them is opened: the dialogs' module is large and most starts need neither.
Item {
    id: dialogs

    property KaomojiView view

    function open(name: string) {
        if (name === "import")
            importDialog.open()
        else
            exportDialog.open()
    }

    FileDialog {
        id: importDialog

        objectName: "importDialog"
        parentWindow: dialogs.Window.window
        //: Title of the file dialog that picks a file of kaomoji to add
        title: qsTr("Import Kaomoji")
        //: File type filters of the import dialog; keep the patterns in parentheses
        nameFilters: [qsTr("Kaomoji files (*.json *.txt)"), qsTr("All files (*)")]
        onAccepted: dialogs.view.importKaomojiFile(selectedFile)
    }

    // A folder rather than a file name: Qt Quick's own dialog, used where the desktop offers
    // none, leaves no room for a name in a window as narrow as the picker.
    FolderDialog {
        id: exportDialog

        objectName: "exportDialog"
        parentWindow: dialogs.Window.window
        //: Title of the dialog that picks the folder where the user's own kaomoji go
        title: qsTr("Export Kaomoji to a Folder")
        onAccepted: dialogs.view.exportKaomojiFile(selectedFolder)
    }
}
