import QtQuick

// Stands in for the picker's root view in PickerWindowTest.
Rectangle {
    required property QtObject view

    color: "white"
}
