import QtQuick

// A part of the window that most starts never show (the custom form, the empty state, the copied
// banner): made from `component` under `parentItem` the first time it is `needed`, and kept.
QtObject {
    property bool needed: false
    property Component component
    property Item parentItem
    // The part once made, else null.
    property Item item: null

    function make() {
        if (needed && !item)
            item = component.createObject(parentItem)
    }

    onNeededChanged: make()
    Component.onCompleted: make()
}
