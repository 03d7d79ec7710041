pragma ComponentBehavior: Bound

import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Pelmora

// The picker window's content: search, the wand button, the results by section and the
// copied banner. Every decision is the view's; this file only draws and forwards.
Rectangle {
    id: root

    required property KaomojiView view

    width: 300
    height: 400
    color: systemPalette.window
    opacity: root.view.isVisible ? 1 : 0

    Behavior on opacity {
        NumberAnimation {
            duration: 300
            easing.type: Easing.InQuad
        }
    }

    SystemPalette {
        id: systemPalette
    }

    Shortcut {
        objectName: "quitShortcut"
        // The linter of Qt 6.4 does not resolve the StandardKey value type.
        sequence: StandardKey.Quit // qmllint disable unqualified
        context: Qt.ApplicationShortcut
        onActivated: root.view.quit()
    }

    Shortcut {
        sequence: "Escape"
        onActivated: root.view.dismiss()
    }

    Connections {
        target: root.view

        function onFocusRequested(field) {
            if (field === KaomojiView.Search)
                searchField.forceActiveFocus()
            else if (field === KaomojiView.NewFace && newFaceField.visible)
                newFaceField.forceActiveFocus()
        }
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        RowLayout {
            Layout.fillWidth: true
            Layout.leftMargin: 8
            Layout.rightMargin: 8
            Layout.topMargin: 16
            Layout.bottomMargin: 8

            TextField {
                id: searchField

                objectName: "searchField"
                Layout.fillWidth: true
                //: Placeholder of the search field
                placeholderText: qsTr("Search")
                text: root.view.searchText
                onTextEdited: root.view.searchText = text
                onAccepted: root.view.submitSearch()
                onActiveFocusChanged: {
                    if (activeFocus)
                        root.view.focusedField = KaomojiView.Search
                }
            }

            Button {
                enabled: !root.view.isGeneratingAI
                //: The wand button, generating from the search text
                text: root.view.searchText.length > 0 ? qsTr("Generate")
                                                      : (root.view.showingCustomForm ? "×" : "+")
                onClicked: root.view.wandAction()
            }
        }

        ColumnLayout {
            Layout.fillWidth: true
            Layout.leftMargin: 8
            Layout.rightMargin: 8
            Layout.bottomMargin: 8
            visible: root.view.showingCustomForm

            RowLayout {
                TextField {
                    id: newFaceField

                    objectName: "newFaceField"
                    Layout.preferredWidth: 120
                    //: Placeholder of the face field of the custom form
                    placeholderText: qsTr("Kaomoji Face")
                    text: root.view.newFace
                    onTextEdited: root.view.newFace = text
                    onActiveFocusChanged: {
                        if (activeFocus)
                            root.view.focusedField = KaomojiView.NewFace
                    }
                }

                Button {
                    //: Adds the typed face to the custom kaomojis
                    text: qsTr("Add")
                    enabled: root.view.newFace.length > 0
                    onClicked: root.view.submitCustomForm()
                }
            }

            Label {
                Layout.fillWidth: true
                visible: root.view.hasAIError
                text: root.view.aiError
                textFormat: Text.PlainText
                color: "red"
                wrapMode: Text.Wrap
            }
        }

        ListView {
            id: results

            objectName: "results"
            Layout.fillWidth: true
            Layout.fillHeight: true
            clip: true
            spacing: 20
            visible: root.view.hasResults
            model: root.view.sections
            ScrollBar.vertical: ScrollBar {}

            delegate: Column {
                id: section

                required property string name
                required property KaomojiEntriesModel entries
                required property bool hasClearButton
                required property bool isCustom

                width: results.width - 16
                x: 8
                spacing: 8

                RowLayout {
                    width: parent.width

                    Label {
                        Layout.fillWidth: true
                        text: section.name
                        textFormat: Text.PlainText
                        font.bold: true
                    }

                    Button {
                        visible: section.hasClearButton
                        flat: true
                        //: Empties the recently used kaomojis
                        text: qsTr("Clear")
                        onClicked: root.view.clearRecentlyUsed()
                    }
                }

                Flow {
                    width: parent.width
                    spacing: 8

                    Repeater {
                        model: section.entries

                        delegate: Button {
                            id: tile

                            objectName: "tile"
                            required property string kaomojiId
                            required property string face
                            required property bool flashing

                            contentItem: Text {
                                text: tile.face
                                textFormat: Text.PlainText
                                color: tile.flashing ? "white" : systemPalette.buttonText
                            }
                            background: Rectangle {
                                radius: 5
                                color: tile.flashing ? "blue" : systemPalette.button
                            }
                            onClicked: root.view.copyKaomoji(section.name, tile.kaomojiId)

                            // A tile that goes away under the pointer still pops its cursor.
                            Component.onDestruction: {
                                if (hover.hovered)
                                    root.view.popPointingHand()
                            }

                            HoverHandler {
                                id: hover

                                onHoveredChanged: hovered ? root.view.pushPointingHand()
                                                          : root.view.popPointingHand()
                            }

                            TapHandler {
                                enabled: section.isCustom
                                acceptedButtons: Qt.RightButton
                                onTapped: deleteMenu.popup()
                            }

                            Menu {
                                id: deleteMenu

                                MenuItem {
                                    //: Context menu item of a custom kaomoji
                                    text: qsTr("Delete")
                                    onTriggered: root.view.deleteKaomoji(tile.kaomojiId)
                                }
                            }
                        }
                    }
                }
            }
        }

        Column {
            Layout.fillWidth: true
            Layout.fillHeight: true
            Layout.topMargin: 48
            visible: !root.view.hasResults
            spacing: 16

            Label {
                anchors.horizontalCenter: parent.horizontalCenter
                //: The face of the empty state
                text: qsTr("(╥﹏╥)")
                textFormat: Text.PlainText
                font.pixelSize: 32
            }

            Label {
                width: parent.width - 32
                anchors.horizontalCenter: parent.horizontalCenter
                //: Shown when no kaomoji matches the search
                text: qsTr("No matches found, try creating your own by pressing enter or clicking the wand.")
                textFormat: Text.PlainText
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.Wrap
            }
        }
    }

    Label {
        objectName: "copiedBanner"
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 16
        visible: root.view.hasCopiedKaomoji
        padding: 8
        //: The banner after a copy; %1 is the copied face
        text: qsTr("Copied: %1").arg(root.view.copiedKaomoji)
        textFormat: Text.PlainText
        color: systemPalette.base
        background: Rectangle {
            radius: 5
            color: systemPalette.text
        }
    }
}
