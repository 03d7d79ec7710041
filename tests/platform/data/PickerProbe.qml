import QtQuick

// Stands in for the picker's root view in PickerWindowTest.
Item {
    required property QtObject view
}
