pragma ComponentBehavior: Bound

import QtQuick
import QtQuick.Controls
import Pelmora
import Pelmora.Layout

// One group of results: its name as a header ("Recently Used" with its "Clear" button) over
// its tiles, which flow in rows. Tiles follow the section's entries row by row, so a tile
// whose entry stays is kept while others come and go.
Column {
    id: section

    required property KaomojiView view
    required property string name
    required property KaomojiEntriesModel entries
    required property bool hasClearButton
    required property bool isCustom

    objectName: "resultSection"
    spacing: 8

    Item {
        width: section.width
        implicitHeight: Math.max(title.implicitHeight, clearButton.implicitHeight)

        Text {
            id: title

            objectName: "sectionTitle"
            anchors.left: parent.left
            anchors.right: clearButton.left
            anchors.verticalCenter: parent.verticalCenter
            text: section.view.categoryName(section.name)
            textFormat: Text.PlainText
            font: Theme.headlineFont
            color: Theme.primary
            elide: Text.ElideRight
        }

        AbstractButton {
            id: clearButton

            objectName: "clearButton"
            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            visible: section.hasClearButton
            focusPolicy: Qt.TabFocus
            implicitWidth: visible ? implicitContentWidth : 0
            implicitHeight: implicitContentHeight
            //: Empties the recently used kaomoji
            text: qsTr("Clear")
            contentItem: Text {
                text: clearButton.text
                textFormat: Text.PlainText
                color: Theme.secondary
            }
            onClicked: section.view.clearRecentlyUsed()
            Keys.onReturnPressed: section.view.clearRecentlyUsed()
            Keys.onEnterPressed: section.view.clearRecentlyUsed()

            FocusRing {
                cornerRadius: 3
                visible: clearButton.visualFocus
            }
        }
    }

    MasonryLayout {
        id: tiles

        objectName: "tiles"
        width: section.width
        height: tiles.implicitHeight

        Repeater {
            model: section.entries

            delegate: KaomojiButton {
                view: section.view
                sectionName: section.name
                canDelete: section.isCustom
            }
        }
    }
}
