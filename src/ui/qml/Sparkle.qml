import QtQuick
import Pelmora

// One little star of the sparkle effect.
SymbolImage {
    name: "sparkle"
    color: Theme.yellow
    width: 8
    height: 8
}
