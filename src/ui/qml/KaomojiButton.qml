pragma ComponentBehavior: Bound

import QtQuick
import Pelmora

// One result tile: a kaomoji face that copies itself on a click (or Space or Return), flashes
// blue for a moment and, in the "Custom" section, can be deleted from its context menu. The
// newest generated kaomoji sparkles.
PlainButton {
    id: tile

    required property KaomojiView view
    required property string sectionName
    required property bool canDelete
    required property string kaomojiId
    required property string face
    required property bool isMostRecentAI
    required property bool flashing
    // Where the face's ink reaches past its line, as the rows model measured it in the face font.
    property real inkLeft
    property real inkTop
    property real inkRight
    property real inkBottom
    // Made at the first right click: most tiles never need one.
    property PopupMenu menu: null
    // The sparkles, made anew each time the tile becomes the newest generated one; and the
    // focus ring, made the first time the keyboard comes. Most tiles never need either.
    property Item sparkles: null
    property Item focusRing: null
    // How far the flash has come: 0, the tile as ever; 1, blue with the face in white. Eased
    // there and back by an animation made at the tile's first flash.
    property real flash: 0
    property NumberAnimation flashAnimation: null

    objectName: "tile"
    pointingHandView: view
    takesRightClick: canDelete
    // What the face asks for; the rows model places the tile at the size it measured alike.
    implicitWidth: faceText.implicitWidth + 2 * 8
    implicitHeight: faceText.implicitHeight + 2 * 8
    Accessible.name: face
    Accessible.description: view.screenReaderActive ? view.kaomojiDescription(sectionName, kaomojiId)
                                                    : ""

    Rectangle {
        objectName: "tileBackground"
        anchors.fill: parent
        radius: 5
        // Mixed only while a flash runs: every new tile evaluates this.
        color: tile.flash === 0 ? Theme.controlBackground
                                : Qt.tint(Theme.controlBackground,
                                          Qt.rgba(Theme.blue.r, Theme.blue.g, Theme.blue.b,
                                                  tile.flash))
    }

    Text {
        id: faceText

        objectName: "faceText"
        anchors.fill: parent
        anchors.margins: 8
        // Left to right whatever the first letter: a face that starts with an Arabic letter
        // would otherwise be drawn mirrored, unlike the text that is copied.
        text: "\u200e" + tile.face
        textFormat: Text.PlainText
        font: tile.view.rows.faceFont
        leftPadding: tile.inkLeft
        topPadding: tile.inkTop
        rightPadding: tile.inkRight
        bottomPadding: tile.inkBottom
        color: tile.flash === 0 ? Theme.primary
                                : Qt.tint(Theme.primary, Qt.rgba(1, 1, 1, tile.flash))
    }

    function copy() {
        tile.view.copyKaomoji(tile.sectionName, tile.kaomojiId)
    }

    function openMenu(x: real, y: real) {
        if (!tile.canDelete)
            return
        if (!tile.menu)
            tile.menu = menuComponent.createObject(tile)
        tile.menu.popup(tile, x, y)
    }

    onClicked: copy()
    onRightClicked: (x, y) => openMenu(x, y)
    Keys.onMenuPressed: openMenu(0, tile.height)

    Component {
        id: menuComponent

        PopupMenu {
            objectName: "tileMenu"

            PopupMenuItem {
                objectName: "deleteItem"
                //: Context menu item of a kaomoji of one's own
                text: qsTr("Delete")
                onTriggered: tile.view.deleteKaomoji(tile.kaomojiId)
            }
        }
    }

    function showSparkles() {
        if (tile.isMostRecentAI && !tile.sparkles) {
            tile.sparkles = sparklesComponent.createObject(tile)
        } else if (!tile.isMostRecentAI && tile.sparkles) {
            tile.sparkles.destroy()
            tile.sparkles = null
        }
    }

    onIsMostRecentAIChanged: showSparkles()
    onFlashingChanged: {
        if (!tile.flashAnimation)
            tile.flashAnimation = flashComponent.createObject(tile)
        tile.flashAnimation.to = tile.flashing ? 1 : 0
        tile.flashAnimation.restart()
    }
    Component.onCompleted: {
        tile.flash = tile.flashing ? 1 : 0
        showSparkles()
    }
    onVisualFocusChanged: {
        if (visualFocus && !tile.focusRing)
            tile.focusRing = focusRingComponent.createObject(tile)
    }

    Component {
        id: flashComponent

        NumberAnimation {
            target: tile
            property: "flash"
            duration: 200
            easing.type: Easing.InOutQuad
        }
    }

    Component {
        id: sparklesComponent

        SparkleEffect {
            anchors.fill: parent
            z: 1
            sparkleCount: 15
            opacity: 0.7
        }
    }

    Component {
        id: focusRingComponent

        FocusRing {
            cornerRadius: 5
            visible: tile.visualFocus
        }
    }
}
