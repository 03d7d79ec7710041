import QtQuick
import Pelmora

// What the results area shows when nothing matches: a sad face and a hint at the two ways
// of making the kaomoji one was looking for.
Column {
    id: emptyState

    objectName: "emptyStateView"
    spacing: 16

    Text {
        anchors.horizontalCenter: parent.horizontalCenter
        //: The sad face shown when no kaomoji matches the search
        text: qsTr("(╥﹏╥)")
        textFormat: Text.PlainText
        font: Theme.largeFaceFont
        color: Theme.secondary
    }

    Text {
        objectName: "emptyStateHint"
        x: Theme.padding
        width: emptyState.width - 2 * Theme.padding
        //: Shown when no kaomoji matches the search; Return and the wand both make one
        text: qsTr("No matches found, try creating your own by pressing enter or clicking the wand.")
        textFormat: Text.PlainText
        font: Theme.subheadlineFont
        color: Theme.secondary
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.WordWrap
    }
}
