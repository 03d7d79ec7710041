import QtQuick
import QtQuick.Controls.Fusion
import QtQuick.Layouts
import Pelmora

// The compact form for kaomoji of one's own: type a face and add it, or describe one and
// have it generated. Return in its fields does nothing; only the buttons act. The prompt
// field and the search field edit one text.
Item {
    id: form

    required property KaomojiView view
    readonly property alias faceField: faceField

    objectName: "customKaomojiForm"
    implicitWidth: rows.implicitWidth
    implicitHeight: rows.implicitHeight + 12

    ColumnLayout {
        id: rows

        anchors.centerIn: parent
        spacing: 8

        RowLayout {
            Layout.alignment: Qt.AlignHCenter
            spacing: Theme.spacing

            TextField {
                id: faceField

                objectName: "newFaceField"
                palette.base: Theme.textBackground
                palette.text: Theme.text
                placeholderTextColor: Theme.secondary
                Layout.preferredWidth: 120
                //: Placeholder of the field for a kaomoji face of one's own
                placeholderText: qsTr("Kaomoji Face")
                Accessible.name: placeholderText
                text: form.view.newFace
                onTextEdited: form.view.newFace = text
                onActiveFocusChanged: {
                    if (activeFocus)
                        form.view.focusedField = KaomojiView.NewFace
                    else if (form.view.focusedField === KaomojiView.NewFace)
                        form.view.focusedField = KaomojiView.None
                }
            }

            Button {
                objectName: "addButton"
                //: Adds the typed face to one's own kaomoji
                text: qsTr("Add")
                enabled: form.view.newFace.length > 0
                onClicked: form.view.submitCustomForm()
                // Qt Quick's buttons do not run their own click for a screen reader's action.
                Accessible.onPressAction: {
                    if (enabled)
                        clicked()
                }
            }
        }

        RowLayout {
            Layout.alignment: Qt.AlignHCenter
            spacing: Theme.spacing

            TextField {
                objectName: "aiPromptField"
                palette.base: Theme.textBackground
                palette.text: Theme.text
                placeholderTextColor: Theme.secondary
                Layout.preferredWidth: 120
                //: Placeholder of the field describing a kaomoji to generate
                placeholderText: qsTr("AI Prompt")
                Accessible.name: placeholderText
                text: form.view.searchText
                onTextEdited: form.view.searchText = text
            }

            Button {
                id: generateButton

                objectName: "generateButton"
                enabled: form.view.searchText.length > 0 && !form.view.isGeneratingAI
                //: Asks the generation service for a kaomoji matching the prompt
                text: qsTr("Generate")
                onClicked: form.view.generateAIKaomoji()
                Accessible.onPressAction: {
                    if (enabled)
                        clicked()
                }
                // Keeps its width while the busy indicator stands in for the title.
                contentItem: Text {
                    text: generateButton.text
                    font: generateButton.font
                    color: generateButton.palette.buttonText
                    horizontalAlignment: Text.AlignHCenter
                    verticalAlignment: Text.AlignVCenter
                    opacity: form.view.isGeneratingAI ? 0 : 1
                }

                // Hidden with the window: its spinning would otherwise go on out of sight.
                BusyIndicator {
                    objectName: "generateBusyIndicator"
                    anchors.centerIn: parent
                    width: 32
                    height: 32
                    padding: 0
                    scale: 0.5
                    visible: form.view.isGeneratingAI && form.Window.window !== null
                             && form.Window.window.visible
                    running: visible
                }
            }
        }

        Text {
            objectName: "customFormErrorText"
            Layout.alignment: Qt.AlignHCenter
            Layout.maximumWidth: form.width
            visible: text.length > 0
            text: form.view.customFormError
            textFormat: Text.PlainText
            font: Theme.captionFont
            color: Theme.red
            elide: Text.ElideRight
        }

        Text {
            objectName: "aiErrorText"
            Layout.topMargin: 4
            Layout.alignment: Qt.AlignHCenter
            Layout.maximumWidth: form.width
            visible: form.view.hasAIError
            text: form.view.aiError
            textFormat: Text.PlainText
            font: Theme.captionFont
            color: Theme.red
            elide: Text.ElideRight
        }
    }
}
