pragma ComponentBehavior: Bound

import QtQuick
import Pelmora

// One row of the results: a section's name as its header ("Recently Used" with its "Clear"
// button), or a row of the section's tiles, each where the rows model placed it. A row that
// stays keeps its tiles while the rows around it come and go.
Item {
    id: row

    required property KaomojiView view
    required property int index
    required property bool isHeader
    required property string name
    required property bool hasClearButton
    required property bool isCustom
    required property real headerGap
    required property var tiles
    required property int tileCount
    required property real rowHeight

    // A key pressed on one of the row's tiles that the tile itself does not take, for the window
    // to move the keyboard by.
    signal tileKeyPressed(KaomojiButton tile, var event)
    // The same for a key the header's Clear button does not take.
    signal clearKeyPressed(var event)

    function tileAt(index: int): Item {
        return tileRepeater.itemAt(index)
    }

    // The header's Clear button while it is shown, else null.
    property Item clearButton: null

    objectName: "resultRow"
    height: isHeader ? (header.count > 0 ? header.itemAt(0).implicitHeight : 0) + headerGap
                     : rowHeight

    // A Repeater rather than a Loader, which on Qt 6.4 refuses components bound to this file.
    Repeater {
        id: header

        model: row.isHeader ? 1 : 0

        delegate: Item {
            readonly property string name: row.name
            Component.onCompleted: row.clearButton = row.hasClearButton ? clearButton : null

            objectName: "resultSection"
            width: row.width
            implicitHeight: Math.max(title.implicitHeight, clearButton.implicitHeight)

            Text {
                id: title

                objectName: "sectionTitle"
                anchors.left: parent.left
                anchors.right: clearButton.left
                anchors.verticalCenter: parent.verticalCenter
                text: row.view.categoryName(row.name)
                textFormat: Text.PlainText
                font: Theme.headlineFont
                color: Theme.primary
                elide: Text.ElideRight
                Accessible.role: Accessible.Heading
                Accessible.name: text
            }

            PlainButton {
                id: clearButton

                objectName: "clearButton"
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                visible: row.hasClearButton
                implicitWidth: visible ? clearText.implicitWidth : 0
                implicitHeight: clearText.implicitHeight
                Accessible.name: clearText.text
                onClicked: row.view.clearRecentlyUsed()
                Keys.onPressed: event => row.clearKeyPressed(event)

                Text {
                    id: clearText

                    //: Empties the recently used kaomoji
                    text: qsTr("Clear")
                    textFormat: Text.PlainText
                    color: Theme.secondary
                }

                FocusRing {
                    cornerRadius: 3
                    visible: clearButton.visualFocus
                }
            }
        }
    }

    Repeater {
        id: tileRepeater

        model: row.isHeader ? 0 : row.tileCount

        delegate: KaomojiButton {
            id: tileButton

            required property int index
            readonly property int rowIndex: row.index
            // Replaced whenever a tile of the row changes (a flash, a sparkle); each tile then
            // takes only what changed for it.
            readonly property var place: row.tiles[index]

            view: row.view
            sectionName: row.name
            canDelete: row.isCustom
            kaomojiId: place.kaomojiId
            face: place.face
            isMostRecentAI: place.isMostRecentAI
            flashing: place.flashing
            inkLeft: place.inkLeft
            inkTop: place.inkTop
            inkRight: place.inkRight
            inkBottom: place.inkBottom
            x: place.x
            width: place.width
            height: place.height
            // Before the tile's own Tab, which would go on to the next tile.
            Keys.onPressed: event => row.tileKeyPressed(tileButton, event)
        }
    }
}
