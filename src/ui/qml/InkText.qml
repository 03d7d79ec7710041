import QtQuick
import Pelmora

// Plain text that is as large as its ink: padded where glyphs reach past the line, so that
// a tile or chip sized to it holds every mark. `margin` is added on every side.
Text {
    // Where the glyphs lie, from the top left of the line.
    readonly property rect ink: TextInk.bounds(text, font)
    property real margin: 0

    textFormat: Text.PlainText
    topPadding: margin + Math.ceil(Math.max(0, -ink.top))
    bottomPadding: margin + Math.ceil(Math.max(0, ink.bottom - contentHeight))
    leftPadding: margin + Math.ceil(Math.max(0, -ink.left))
    rightPadding: margin + Math.ceil(Math.max(0, ink.right - contentWidth))
}
