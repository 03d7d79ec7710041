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

    property NumberAnimation fade: null

    function fadeIn() {
        if (row.fadesIn)
            row.fade = fadeInComponent.createObject(row)
    }

    objectName: "resultRow"
    height: isHeader ? (header ? header.implicitHeight : 0) + headerGap : rowHeight

    // Hidden at once: it is only destroyed after the frame, which must not show it.
    function letGo(item: Item) {
        item.visible = false
        item.destroy()
    }

    // Makes what the row shows; a row taken back from the view's pool keeps the tiles it can
    // show the new ones with, rather than making them anew.
    function build() {
        if (row.isHeader) {
            for (let index = 0; index < row.tileItems.length; ++index)
                row.letGo(row.tileItems[index])
            row.tileItems = []
            if (row.header)
                row.letGo(row.header)
            row.header = headerComponent.createObject(row)
            row.clearButton = row.hasClearButton ? row.header.clearButton : null
            return
        }
        if (row.header) {
            row.letGo(row.header)
            row.header = null
            row.clearButton = null
        }
        const kept = []
        for (let index = 0; index < row.tileItems.length; ++index) {
            const tile = row.tileItems[index] as KaomojiButton
            if (index < row.tileCount) {
                tile.takeNewPlace()
                kept.push(tile)
            } else {
                row.letGo(tile)
            }
        }
        for (let index = kept.length; index < row.tileCount; ++index)
            kept.push(tileComponent.createObject(row, { index: index, place: row.tiles[index] }))
        row.tileItems = kept
    }

    // A row taken from the pool hears of its new tiles before it is told it was reused: the
    // tiles it has too many of are let go then.
    onTilesChanged: {
        const count = Math.min(row.tileItems.length, row.tiles.length)
        for (let index = 0; index < count; ++index)
            (row.tileItems[index] as KaomojiButton).place = row.tiles[index]
    }

    // The item of the row that has the keyboard, or null.
    function keyboardHolder(): Item {
        const holder = row.Window.window.activeFocusItem
        for (let item = holder; item; item = item.parent) {
            if (item === row)
                return holder
        }
        return null
    }

    Component.onCompleted: {
        build()
        row.view.putInReadingOrder(row)
    }
    // A row the view lays aside for later is hidden from the pointer and from screen readers,
    // and its tiles' menus close. The keyboard goes to the list, which finds it another tile,
    // as when the row went for good.
    ListView.onPooled: {
        const holder = row.keyboardHolder()
        if (holder) {
            // Else the list would hand the keyboard straight back to it.
            holder.focus = false
            row.ListView.view.forceActiveFocus()
        }
        row.visible = false
        for (let index = 0; index < row.tileItems.length; ++index)
            (row.tileItems[index] as KaomojiButton).putAway()
        if (row.fade)
            row.fade.complete()
    }
    ListView.onReused: {
        row.visible = true
        build()
        row.view.putInReadingOrder(row)
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
            property var place

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
