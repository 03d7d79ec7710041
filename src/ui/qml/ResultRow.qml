pragma ComponentBehavior: Bound

import QtQuick
import Pelmora

// One row of the results: a section's name as its header ("Recently Used" with its "Clear"
// button), or a row of the section's tiles, each where the rows model placed it. A row that
// stays keeps its tiles while the rows around it come and go. A row shows the same section and
// the same tiles for as long as it lives (the model replaces a row whose tiles change), so its
// header or tiles are made once, when it is.
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
    // Fades the row in, for a section that joins the results.
    required property bool fadesIn

    // The header's Clear button while it is shown, else null.
    property Item clearButton: null
    property Item header: null
    property list<Item> tileItems

    // A key pressed on one of the row's tiles that the tile itself does not take, for the window
    // to move the keyboard by.
    signal tileKeyPressed(KaomojiButton tile, var event)
    // The same for a key the header's Clear button does not take.
    signal clearKeyPressed(var event)

    function tileAt(index: int): Item {
        return index >= 0 && index < row.tileItems.length ? row.tileItems[index] : null
    }

    function fadeIn() {
        if (row.fadesIn)
            fadeInComponent.createObject(row)
    }

    objectName: "resultRow"
    height: isHeader ? (header ? header.implicitHeight : 0) + headerGap : rowHeight

    Component.onCompleted: {
        if (row.isHeader) {
            row.header = headerComponent.createObject(row)
            row.clearButton = row.hasClearButton ? row.header.clearButton : null
            return
        }
        const made = []
        for (let index = 0; index < row.tileCount; ++index)
            made.push(tileComponent.createObject(row, { index: index }))
        row.tileItems = made
    }

    Component {
        id: headerComponent

        Item {
            id: header

            readonly property string name: row.name
            // Made for "Recently Used" only, the one section that can be cleared.
            property Item clearButton: null

            objectName: "resultSection"
            width: row.width
            implicitHeight: Math.max(title.implicitHeight,
                                     clearButton ? clearButton.implicitHeight : 0)
            Component.onCompleted: {
                if (row.hasClearButton)
                    header.clearButton = clearButtonComponent.createObject(header)
            }

            Text {
                id: title

                objectName: "sectionTitle"
                anchors.left: parent.left
                anchors.right: parent.right
                anchors.rightMargin: header.clearButton ? header.clearButton.width : 0
                anchors.verticalCenter: parent.verticalCenter
                text: row.view.categoryName(row.name)
                textFormat: Text.PlainText
                font: Theme.headlineFont
                color: Theme.primary
                elide: Text.ElideRight
                Accessible.role: Accessible.Heading
                Accessible.name: text
            }

            Component {
                id: clearButtonComponent

                PlainButton {
                    id: clearButton

                    objectName: "clearButton"
                    anchors.right: parent.right
                    anchors.verticalCenter: parent.verticalCenter
                    implicitWidth: clearText.implicitWidth
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
    }

    Component {
        id: tileComponent

        KaomojiButton {
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

    Component {
        id: fadeInComponent

        NumberAnimation {
            target: row
            property: "opacity"
            from: 0
            to: 1
            duration: Theme.springSettleMilliseconds
            easing.type: Easing.OutCubic
            running: true
            onFinished: destroy()
        }
    }
}
