import QtQuick
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

    Column {
        id: rows

        anchors.centerIn: parent
        spacing: 8

        Row {
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: Theme.spacing

            TextBox {
                id: faceField

                objectName: "newFaceField"
                anchors.verticalCenter: parent.verticalCenter
                width: 120
                framed: true
                //: Placeholder of the field for a kaomoji face of one's own
                placeholderText: qsTr("Kaomoji Face")
                text: form.view.newFace
                onTextEdited: form.view.newFace = text
                onActiveFocusChanged: {
                    if (activeFocus)
                        form.view.focusedField = KaomojiView.NewFace
                    else if (form.view.focusedField === KaomojiView.NewFace)
                        form.view.focusedField = KaomojiView.None
                }
            }

            PushButton {
                objectName: "addButton"
                //: Adds the typed face to one's own kaomoji
                text: qsTr("Add")
                enabled: form.view.newFace.length > 0
                onClicked: form.view.submitCustomForm()
            }
        }

        Row {
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: Theme.spacing

            TextBox {
                objectName: "aiPromptField"
                anchors.verticalCenter: parent.verticalCenter
                width: 120
                framed: true
                //: Placeholder of the field describing a kaomoji to generate
                placeholderText: qsTr("AI Prompt")
                text: form.view.searchText
                onTextEdited: form.view.searchText = text
            }

            PushButton {
                id: generateButton

                objectName: "generateButton"
                enabled: form.view.searchText.length > 0 && !form.view.isGeneratingAI
                //: Asks the generation service for a kaomoji matching the prompt
                text: qsTr("Generate")
                // Keeps its width while the busy indicator stands in for the title.
                titleShown: !form.view.isGeneratingAI
                onClicked: form.view.generateAIKaomoji()

                // Hidden with the window: its turning would otherwise go on out of sight.
                Spinner {
                    objectName: "generateBusyIndicator"
                    anchors.centerIn: parent
                    visible: form.view.isGeneratingAI && form.Window.window !== null
                             && form.Window.window.visible
                    running: visible
                    color: Theme.palette.buttonText
                }
            }
        }

        Text {
            objectName: "customFormErrorText"
            anchors.horizontalCenter: parent.horizontalCenter
            width: Math.min(implicitWidth, form.width)
            visible: text.length > 0
            text: form.view.customFormError
            textFormat: Text.PlainText
            font: Theme.captionFont
            color: Theme.red
            elide: Text.ElideRight
        }

        Text {
            objectName: "aiErrorText"
            anchors.horizontalCenter: parent.horizontalCenter
            width: Math.min(implicitWidth, form.width)
            topPadding: 4
            visible: form.view.hasAIError
            text: form.view.aiError
            textFormat: Text.PlainText
            font: Theme.captionFont
            color: Theme.red
            elide: Text.ElideRight
        }
    }
}
