import QtQuick
import Pelmora

// The search field: a magnifying glass and a borderless field in a rounded box. It shows
// `text` and reports every keystroke and Return; the window owns the text.
FocusScope {
    id: searchBar

    property string text
    readonly property alias field: field

    signal edited(string text)
    signal submitted
    // Tab, Shift+Tab or Down in the field, for the window to send the keyboard on; it lets the
    // event go where it does not.
    signal navigationKeyPressed(var event)

    implicitWidth: row.implicitWidth + 2 * 8
    implicitHeight: row.implicitHeight + 2 * 8

    Rectangle {
        anchors.fill: parent
        radius: 8
        color: Theme.controlBackground
    }

    Row {
        id: row

        anchors.fill: parent
        anchors.margins: 8
        spacing: Theme.spacing

        SymbolImage {
            id: magnifyingGlass

            anchors.verticalCenter: parent.verticalCenter
            name: "magnifyingglass"
            color: Theme.secondary
        }

        TextBox {
            id: field

            objectName: "searchField"
            anchors.verticalCenter: parent.verticalCenter
            width: row.width - magnifyingGlass.width - row.spacing
            focus: true
            //: Placeholder of the search field
            placeholderText: qsTr("Search")
            text: searchBar.text
            onTextEdited: searchBar.edited(text)
            onAccepted: searchBar.submitted()
            Keys.onPressed: event => {
                if (event.key === Qt.Key_Tab || event.key === Qt.Key_Backtab
                        || event.key === Qt.Key_Down)
                    searchBar.navigationKeyPressed(event)
            }
        }
    }
}
