pragma ComponentBehavior: Bound

import QtQuick
import Pelmora

// The picker window's content, top to bottom: the header (search, wand, menu), the custom
// form while it is open, the category chips and the results by section, with the copied
// banner floating over the bottom. Every decision is the view's; this only draws and
// forwards.
Rectangle {
    id: root

    required property KaomojiView view
    readonly property bool windowShown: root.Window.window !== null && root.Window.window.visible
    // The window has drawn its first frame: what lies beyond the first screen may be built.
    property bool drawn: false

    implicitWidth: 300
    implicitHeight: 400
    color: Theme.windowBackground
    // Only the first appearance fades in: the view never becomes invisible again.
    opacity: view.isVisible ? 1 : 0
    focus: true

    Behavior on opacity {
        NumberAnimation {
            duration: 300
            easing.type: Easing.InQuad
        }
    }

    // Whoever opens the window is there to type.
    onWindowShownChanged: {
        if (windowShown)
            searchBar.field.forceActiveFocus()
    }

    Keys.onEscapePressed: view.dismiss()

    Connections {
        target: root.Window.window
        enabled: !root.drawn

        function onFrameSwapped() {
            root.drawn = true
        }
    }

    onDrawnChanged: {
        results.buildAhead()
        chipRow.addChips()
        root.view.rows.setMeasuresInBackground(true)
    }

    // The rows are laid out for the height the list has once the header and the chips are in
    // place, so that no more is measured and built than the first screen shows.
    Component.onCompleted: {
        chipRow.addChips()
        headerRow.forceLayout()
        chipRow.forceLayout()
        results.layOutRows()
        results.forceLayout()
    }

    function isInside(item: Item, ancestor: Item): bool {
        for (let parent = item ? item.parent : null; parent; parent = parent.parent) {
            if (parent === ancestor)
                return true
        }
        return false
    }

    function keepInView(flickable: Flickable, item: Item, margin: real) {
        const place = item.mapToItem(flickable.contentItem, 0, 0)
        if (flickable.flickableDirection === Flickable.HorizontalFlick) {
            if (place.x < flickable.contentX)
                flickable.contentX = Math.max(0, place.x - margin)
            else if (place.x + item.width > flickable.contentX + flickable.width)
                flickable.contentX = Math.min(flickable.contentWidth - flickable.width,
                                              place.x + item.width - flickable.width + margin)
            return
        }
        if (place.y < flickable.contentY)
            flickable.contentY = place.y - margin
        else if (place.y + item.height > flickable.contentY + flickable.height)
            flickable.contentY = place.y + item.height - flickable.height + margin
        flickable.returnToBounds()
    }

    // Ctrl+Q always, besides the platform's own Quit key: some themes (qt6ct) leave that one
    // empty. Where it is Ctrl+Q as well, the key is taken twice and comes as ambiguous.
    Shortcut {
        id: quitShortcut

        objectName: "quitShortcut"
        sequence: "Ctrl+Q"
        // The linter of Qt 6.4 does not resolve the StandardKey value type.
        sequences: [StandardKey.Quit] // qmllint disable unqualified
        context: Qt.ApplicationShortcut
        onActivated: root.view.quit()
        onActivatedAmbiguously: root.view.quit()
    }

    Connections {
        target: root.view

        function onFocusRequested(field: int) {
            if (field === KaomojiView.Search)
                searchBar.field.forceActiveFocus()
            else if (field === KaomojiView.NewFace)
                (formArea.form.item as CustomKaomojiForm).faceField.forceActiveFocus()
        }
    }

    Connections {
        target: searchBar.field

        function onActiveFocusChanged() {
            if (searchBar.field.activeFocus)
                root.view.focusedField = KaomojiView.Search
            else if (root.view.focusedField === KaomojiView.Search)
                root.view.focusedField = KaomojiView.None
        }
    }

    // The tile the keyboard was last on, to go back to from elsewhere and to find again when
    // its row is rebuilt.
    property KaomojiButton focusedTile
    property string focusedSection
    property string focusedId
    property int focusedRow: -1
    property int focusedIndex: -1

    function isPrintable(event: var): bool {
        const noShortcut = !(event.modifiers & (Qt.ControlModifier | Qt.AltModifier
                                                | Qt.MetaModifier))
        return noShortcut && event.key !== Qt.Key_Space && event.text.length > 0
                && event.text.charCodeAt(0) >= 0x20 && event.text.charCodeAt(0) !== 0x7f
    }

    // Typing away from the field goes on in it.
    function typeInSearch(text: string) {
        searchBar.field.forceActiveFocus()
        root.view.searchText = root.view.searchText + text
    }

    // Scrolls the tile at `place` ({row, tile} of the rows) into view and gives it the keyboard,
    // with the focus ring.
    function focusTile(place: var): bool {
        if (!place)
            return false
        if (place.row <= 1) {
            results.positionViewAtBeginning()
        } else {
            // With its section's header, when it is the section's first row.
            const above = results.itemAtIndex(place.row - 1)
            if (above && above.isHeader)
                results.positionViewAtIndex(place.row - 1, ListView.Contain)
            results.positionViewAtIndex(place.row, ListView.Contain)
        }
        const row = results.itemAtIndex(place.row)
        const tile = row ? row.tileAt(place.tile) : null
        if (!tile)
            return false
        tile.forceActiveFocus(Qt.TabFocusReason)
        return true
    }

    function focusFirstTile(): bool {
        return root.view.hasResults
                && root.focusTile(root.view.rows.keyTarget(-1, -1, KaomojiRowsModel.First))
    }

    // Back to the tile the keyboard was on while it is still there, else to the one now in its
    // place or the first.
    function focusResults(): bool {
        if (!root.view.hasResults)
            return false
        const rows = root.view.rows
        const place = rows.tilePlace(root.focusedSection, root.focusedId)
        if (root.focusTile(place))
            return true
        const row = Math.min(root.focusedRow, results.count - 1)
        return root.focusTile({ row: row, tile: root.focusedIndex })
                || root.focusTile({ row: row, tile: 0 }) || root.focusFirstTile()
    }

    // With no tile left, the keyboard goes back to the search rather than stay in an empty list.
    function findTileAgain() {
        if (root.Window.window.activeFocusItem === results && !root.focusResults())
            searchBar.field.forceActiveFocus()
    }

    function focusChips() {
        let first = null
        for (let index = 0; index < chipRow.chips.length; ++index) {
            const chip = chipRow.chips[index]
            if (!chip.visible)
                continue
            first = first || chip
            if (chip.isSelected)
                return chip.forceActiveFocus(Qt.BacktabFocusReason)
        }
        if (first)
            first.forceActiveFocus(Qt.BacktabFocusReason)
    }

    function tileKeyPressed(tile: var, event: var) {
        const moves = {
            [Qt.Key_Left]: KaomojiRowsModel.Left,
            [Qt.Key_Right]: KaomojiRowsModel.Right,
            [Qt.Key_Up]: KaomojiRowsModel.Up,
            [Qt.Key_Down]: KaomojiRowsModel.Down,
            [Qt.Key_Home]: KaomojiRowsModel.First,
            [Qt.Key_End]: KaomojiRowsModel.Last
        }
        const move = moves[event.key]
        event.accepted = true
        if (move !== undefined) {
            const place = root.view.rows.keyTarget(tile.rowIndex, tile.index, move)
            // Up from the first row goes back to the search.
            if (!root.focusTile(place) && move === KaomojiRowsModel.Up)
                searchBar.field.forceActiveFocus()
        } else if (event.key === Qt.Key_Tab) {
            if (!root.focusClearButton())
                wandButton.forceActiveFocus(Qt.TabFocusReason)
        } else if (event.key === Qt.Key_Backtab) {
            root.focusChips()
        } else if (root.isPrintable(event)) {
            root.typeInSearch(event.text)
        } else {
            event.accepted = false
        }
    }

    // Recently Used's Clear sits in the first header: Tab from the results reaches it on the way
    // to the wand.
    function focusClearButton(): bool {
        if (!root.view.hasRecentlyUsedKaomojis || results.count === 0)
            return false
        let first = results.itemAtIndex(0) as ResultRow
        if (!first) {
            results.positionViewAtIndex(0, ListView.Beginning)
            results.forceLayout()
            first = results.itemAtIndex(0) as ResultRow
        }
        const clear = first ? first.clearButton : null
        if (clear)
            clear.forceActiveFocus(Qt.TabFocusReason)
        return clear !== null
    }

    function clearKeyPressed(event: var) {
        event.accepted = true
        if (event.key === Qt.Key_Tab)
            wandButton.forceActiveFocus(Qt.TabFocusReason)
        else if (event.key === Qt.Key_Backtab)
            event.accepted = root.focusResults()
        else if (root.isPrintable(event))
            root.typeInSearch(event.text)
        else
            event.accepted = false
    }

    function chipKeyPressed(chip: var, event: var) {
        event.accepted = true
        if (event.key === Qt.Key_Left || event.key === Qt.Key_Right) {
            const step = event.key === Qt.Key_Left ? -1 : 1
            for (let index = chip.index + step; index >= 0 && index < chipRow.chips.length;
                 index += step) {
                const next = chipRow.chips[index]
                if (next.visible)
                    return next.forceActiveFocus(Qt.TabFocusReason)
            }
        } else if (event.key === Qt.Key_Tab) {
            if (!root.focusResults())
                event.accepted = false
        } else if (event.key === Qt.Key_Backtab) {
            searchBar.field.forceActiveFocus(Qt.BacktabFocusReason)
        } else if (root.isPrintable(event)) {
            root.typeInSearch(event.text)
        } else {
            event.accepted = false
        }
    }

    // The focused tile stays in sight while rows come and go above it.
    Connections {
        target: root.focusedTile ? root.focusedTile.parent : null

        function onYChanged() {
            Qt.callLater(root.keepFocusedTileInView) // qmllint disable type
        }
    }

    function keepFocusedTileInView() {
        const tile = root.focusedTile
        if (tile && tile.activeFocus)
            root.keepInView(results, tile, 8)
    }

    // Tabbing onto a chip or a tile out of sight scrolls it into view.
    Connections {
        target: root.Window.window

        function onActiveFocusItemChanged() {
            const window = root.Window.window
            const item = window.activeFocusItem
            // A tile's row rebuilt or gone leaves the keyboard with the list.
            if (item === results)
                Qt.callLater(root.findTileAgain) // qmllint disable type
            if (item && item.objectName === "tile" && root.isInside(item, results)) {
                const tile = item
                root.focusedTile = tile
                root.focusedSection = tile.sectionName
                root.focusedId = tile.kaomojiId
                root.focusedRow = tile.rowIndex
                root.focusedIndex = tile.index
            }
            if (root.isInside(item, results.contentItem))
                root.keepInView(results, item, 8)
            else if (root.isInside(item, chipBar.contentItem))
                root.keepInView(chipBar, item, Theme.padding)
        }
    }

    Column {
        anchors.fill: parent
        spacing: 0

        // The header: search field, wand button and menu.
        Item {
            id: header

            width: root.width
            height: headerRow.height + 16 + 8

            Row {
                id: headerRow

                x: Theme.padding
                y: 16
                width: parent.width - Theme.padding - 8
                spacing: Theme.spacing

                SearchBar {
                    id: searchBar

                    anchors.verticalCenter: parent.verticalCenter
                    width: headerRow.width - wandButton.width - menuButton.width
                           - 2 * headerRow.spacing
                    focus: true
                    text: root.view.searchText
                    onEdited: text => root.view.searchText = text
                    onSubmitted: root.view.submitSearch()
                    // Down or Tab goes straight to the first tile, not through the chips;
                    // Shift+Tab to the menu rather than to the last tile.
                    onNavigationKeyPressed: event => {
                        if (event.key === Qt.Key_Backtab)
                            menuButton.forceActiveFocus(Qt.BacktabFocusReason)
                        else
                            event.accepted = root.focusFirstTile()
                    }
                }

                WandButton {
                    id: wandButton

                    anchors.verticalCenter: parent.verticalCenter
                    view: root.view
                    Keys.onBacktabPressed: event => event.accepted = root.focusResults()
                }

                MenuButton {
                    id: menuButton

                    anchors.verticalCenter: parent.verticalCenter
                    view: root.view
                    quitShortcutText: quitShortcut.nativeText
                    Keys.onTabPressed: searchBar.field.forceActiveFocus(Qt.TabFocusReason)
                }
            }
        }

        // What became of the last import or export from the menu.
        Item {
            width: root.width
            height: visible ? fileMessage.implicitHeight + 8 : 0
            visible: root.view.fileMessage !== ""

            Text {
                id: fileMessage

                objectName: "fileMessage"
                x: Theme.padding
                width: parent.width - 2 * Theme.padding
                text: root.view.fileMessage
                textFormat: Text.PlainText
                wrapMode: Text.Wrap
                font: Theme.subheadlineFont
                color: Theme.secondary
            }
        }

        // The custom form, sliding in from under the header and fading in.
        Item {
            id: formArea

            property real reveal: root.view.showingCustomForm ? 1 : 0

            objectName: "formArea"
            width: root.width
            height: Math.max(0, reveal) * (form.item ? form.item.height + 8 : 0)
            clip: true

            Behavior on reveal {
                SpringAnimation {
                    spring: Theme.springStiffness
                    damping: Theme.smoothSpringDamping
                    epsilon: 0.002
                }
            }

            // Made the first time it opens.
            property MadeWhenNeeded form: MadeWhenNeeded {
                needed: root.view.showingCustomForm
                parentItem: formArea
                component: CustomKaomojiForm {
                    x: Theme.padding
                    y: (formArea.reveal - 1) * (height + 8)
                    width: formArea.width - 2 * Theme.padding
                    opacity: formArea.reveal
                    visible: root.view.showingCustomForm || formArea.reveal > 0
                    view: root.view
                }
            }
        }

        // The category chips, scrolling sideways without a scroll bar.
        Flickable {
            id: chipBar

            objectName: "chipBar"
            width: root.width
            height: chipRow.height
            contentWidth: chipRow.width
            contentHeight: chipRow.height
            flickableDirection: Flickable.HorizontalFlick
            boundsBehavior: Flickable.StopAtBounds

            // An ordinary mouse wheel turns only vertically; over the chips it scrolls them
            // sideways, a notch about the width of a chip.
            WheelHandler {
                orientation: Qt.Vertical
                onWheel: event => {
                    const step = event.pixelDelta.y !== 0 ? event.pixelDelta.y
                                                          : event.angleDelta.y / 2
                    chipBar.contentX = Math.max(0, Math.min(chipBar.contentWidth - chipBar.width,
                                                            chipBar.contentX - step))
                }
            }

            Row {
                id: chipRow

                leftPadding: Theme.padding
                rightPadding: Theme.padding
                topPadding: 4
                bottomPadding: 4
                spacing: Theme.spacing

                // The chips, in the order of the categories.
                property list<Item> chips

                // The chips in sight are made with the window, the rest once it has drawn.
                function addChips() {
                    const categories = root.view.orderedCategories
                    let reach = chipRow.leftPadding
                    while (chipRow.chips.length < categories.length
                           && (root.drawn || reach < chipBar.width)) {
                        const chip = chipComponent.createObject(chipRow, {
                            index: chipRow.chips.length,
                            category: categories[chipRow.chips.length]
                        })
                        chipRow.chips.push(chip)
                        if (chip.visible)
                            reach += chip.implicitWidth + chipRow.spacing
                    }
                }

                Component {
                    id: chipComponent

                    CategoryButton {
                        id: chipButton

                        property int index

                        anchors.verticalCenter: parent.verticalCenter
                        view: root.view
                        // The list is a JavaScript array at run time; the linter of Qt 6.4
                        // does not know its methods.
                        isSelected: root.view.selectedCategories.includes(category) // qmllint disable type
                        // "Custom" is a chip only while there are kaomoji of one's own.
                        visible: category !== "Custom" || root.view.hasCustomKaomojis
                        onClicked: root.view.toggleCategory(category)
                        Keys.onPressed: event => root.chipKeyPressed(chipButton, event)
                    }
                }
            }
        }

        // The results, or the empty state when nothing matches.
        Item {
            id: resultsArea

            width: root.width
            height: root.height - header.height - formArea.height - chipBar.height

            ListView {
                id: results

                objectName: "results"
                anchors.fill: parent
                clip: true
                visible: root.view.hasResults
                model: root.view.rows
                topMargin: Theme.padding
                bottomMargin: Theme.padding
                // Rows are built as they come near the viewport, not all at once; until the
                // window has drawn, only those of the first screen, so that starting up and
                // the first opening build no more than they show.
                readonly property int builtAhead: 100
                cacheBuffer: 0
                boundsBehavior: Flickable.StopAtBounds
                // No current row: it would take the keyboard from a tile whenever the rows
                // above it change.
                currentIndex: -1
                keyNavigationEnabled: false

                // The rows are laid out for the width their tiles get (first once the window's
                // content is complete).
                function layOutRows() {
                    root.view.rows.builtHeight = results.height + results.cacheBuffer
                    root.view.rows.width = results.width - 2 * Theme.padding
                }
                onWidthChanged: {
                    if (root.view.rows.width > 0)
                        layOutRows()
                }
                onHeightChanged: root.view.rows.builtHeight = height + cacheBuffer

                // Their faces measured first, so that they are built at their sizes.
                function buildAhead() {
                    root.view.rows.builtHeight = results.height + results.builtAhead
                    results.cacheBuffer = results.builtAhead
                }

                // The rows of a section fade in as it joins. The view's own add and displaced
                // transitions are not used: they leave a row in the wrong place when one above
                // it changes height while they run.
                delegate: ResultRow {
                    x: Theme.padding
                    width: results.width - 2 * Theme.padding
                    view: root.view
                    onTileKeyPressed: (tile, event) => root.tileKeyPressed(tile, event)
                    onClearKeyPressed: event => root.clearKeyPressed(event)
                    ListView.onAdd: fadeIn()
                }
            }

            ScrollHandle {
                anchors.right: results.right
                anchors.top: results.top
                anchors.bottom: results.bottom
                flickable: results
            }

            // Made the first time nothing matches.
            property MadeWhenNeeded emptyState: MadeWhenNeeded {
                needed: !root.view.hasResults
                parentItem: resultsArea
                component: EmptyStateView {
                    y: 48
                    width: resultsArea.width
                    visible: !root.view.hasResults
                }
            }
        }
    }

    // The copied banner, springing up from the bottom edge while a face has just been copied.
    Item {
        id: bannerSlot

        property real reveal: root.view.hasCopiedKaomoji ? 1 : 0
        // Kept while the banner leaves, when the view has already let go of the face.
        property string face
        property string note
        // Made at the first copy.
        property MadeWhenNeeded banner: MadeWhenNeeded {
            needed: root.view.hasCopiedKaomoji
            parentItem: bannerSlot
            component: CopiedBanner {
                x: (bannerSlot.width - width) / 2
                y: bannerSlot.height - 16 - height + (1 - bannerSlot.reveal) * (height + 16 + 8)
                opacity: bannerSlot.reveal
                visible: root.view.hasCopiedKaomoji || bannerSlot.reveal > 0
                face: bannerSlot.face
                faceFont: root.view.rows.faceFont
                note: bannerSlot.note
                announced: root.view.hasCopiedKaomoji
            }
        }

        function showFace() {
            if (root.view.hasCopiedKaomoji) {
                bannerSlot.face = root.view.copiedKaomoji
                bannerSlot.note = root.view.copiedNote
            }
        }

        anchors.fill: parent
        Component.onCompleted: showFace()

        Behavior on reveal {
            SpringAnimation {
                spring: Theme.springStiffness
                damping: Theme.bouncySpringDamping
                epsilon: 0.002
            }
        }

        Connections {
            target: root.view

            function onCopiedKaomojiChanged() {
                bannerSlot.showFace()
            }
        }
    }
}
