import QtQuick
import Pelmora

// The button beside the search field. With an empty search it opens ("plus") and closes
// ("xmark") the custom form; with search text it is the blue wand that generates a kaomoji
// from that text, turning into a busy indicator while the request is out.
PlainButton {
    id: wand

    required property KaomojiView view
    readonly property bool generates: view.searchText.length > 0

    objectName: "wandButton"
    enabled: !view.isGeneratingAI
    // Faded while a generation runs, when a click does nothing.
    opacity: enabled ? 1 : 0.5
    implicitWidth: 32
    implicitHeight: 32
    Accessible.name: accessibleName()

    function accessibleName(): string {
        if (wand.generates)
            //: The wand button's name for screen readers while there is search text
            return qsTr("Generate a kaomoji")
        if (wand.view.showingCustomForm)
            //: The wand button's name for screen readers while the custom form is open
            return qsTr("Close the form")
        //: The wand button's name for screen readers while the custom form is closed
        return qsTr("Add your own kaomoji")
    }

    onClicked: view.wandAction()

    Rectangle {
        objectName: "wandBackground"
        anchors.fill: parent
        radius: 8
        color: wand.generates ? Theme.blue : Theme.controlBackground
    }

    SymbolImage {
        objectName: "wandSymbol"
        anchors.centerIn: parent
        width: 16
        height: 16
        visible: !(wand.generates && wand.view.isGeneratingAI)
        name: wand.generates ? "wand.and.stars" : (wand.view.showingCustomForm ? "xmark" : "plus")
        color: wand.generates ? Theme.white : Theme.primary
    }

    // Hidden with the window: its turning would otherwise go on out of sight.
    Spinner {
        objectName: "wandBusyIndicator"
        anchors.centerIn: parent
        visible: wand.generates && wand.view.isGeneratingAI && wand.Window.window !== null
                 && wand.Window.window.visible
        running: visible
        color: Theme.white
    }

    FocusRing {
        cornerRadius: 8
        visible: wand.visualFocus
    }
}
