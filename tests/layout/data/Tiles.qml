import QtQuick
import Pelmora.Layout

// Tiles made by a Repeater, as the picker makes them; one is hidden, and every tile asks for a
// width of its own that the layout overrides with its implicit width.
MasonryLayout {
    width: 100
    height: implicitHeight

    // Every shown tile in model order: its label and size in the model, and where its item stands.
    function shownTiles() {
        return Array.from({ length: tiles.count }, (_, i) => tiles.get(i)).filter(tile => tile.shown)
            .map(tile => {
                const item = Array.from(children).find(child => child.objectName === tile.label) || {}
                return [tile.label, tile.w, tile.h, item.x, item.y, item.width, item.height]
            })
    }

    Repeater {
        model: ListModel {
            id: tiles
            ListElement { label: "a"; w: 30; h: 20; shown: true }
            ListElement { label: "hidden"; w: 500; h: 500; shown: false }
            ListElement { label: "b"; w: 40; h: 25; shown: true }
            ListElement { label: "c"; w: 50; h: 20; shown: true }
        }
        delegate: Rectangle {
            objectName: model.label
            width: 70
            visible: model.shown
            implicitWidth: model.w
            implicitHeight: model.h
        }
    }
}
