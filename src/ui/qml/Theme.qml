pragma Singleton

import QtQuick

// The window's colours, fonts and springs. Colours follow the desktop palette, so light and
// dark appearances come for free; blue, red, yellow and white read well on both.
QtObject {
    id: theme

    readonly property SystemPalette palette: SystemPalette {
        colorGroup: SystemPalette.Active
    }
    readonly property SystemPalette disabledPalette: SystemPalette {
        colorGroup: SystemPalette.Disabled
    }

    readonly property color windowBackground: palette.window
    readonly property color controlBackground: palette.base
    readonly property color textBackground: palette.base
    readonly property color text: palette.text
    readonly property color primary: palette.windowText
    readonly property color secondary: Qt.rgba(palette.windowText.r, palette.windowText.g,
                                               palette.windowText.b, 0.55)
    readonly property color accent: palette.highlight
    // The edge of a field, a button or a menu.
    readonly property color outline: Qt.darker(palette.window, 1.4)
    readonly property color blue: "#0a84ff"
    readonly property color red: "#e5484d"
    readonly property color yellow: "#ffcc00"
    readonly property color white: "#ffffff"

    // Keyboard focus on a chip or tile.
    readonly property color focusRing: accent
    readonly property int focusRingWidth: 2

    // Gaps where the desktop's defaults apply: around content and between a row's items.
    readonly property int padding: 16
    readonly property int spacing: 8

    // Sizes follow the desktop font, which the tiles' text is set in: headlines a little
    // larger and bold, captions a little smaller.
    readonly property font largeFaceFont: desktopFont(2.67, false)
    readonly property font headlineFont: desktopFont(1.15, true)
    readonly property font subheadlineFont: desktopFont(1, false)
    readonly property font captionFont: desktopFont(0.92, false)

    function desktopFont(scale: real, bold: bool): font {
        // The linter of Qt 6.4 does not know the application's font, which Qt Quick adds.
        const base = Qt.application.font // qmllint disable type
        if (base.pixelSize > 0)
            return Qt.font({
                family: base.family,
                bold: bold,
                pixelSize: Math.round(base.pixelSize * scale)
            })
        return Qt.font({
            family: base.family,
            bold: bold,
            pointSize: base.pointSize * scale
        })
    }

    // SpringAnimation takes a 16 ms step at a time, adding spring × distance − damping ×
    // velocity to the velocity at each step. A spring that answers in 0.3 s (ω = 2π / 0.3)
    // needs spring = ω² × 0.016 ≈ 7.0; the dampings give the overshoot of a damping fraction of
    // 0.7 (4.6 %, no visible bounce) and of 0.6 (9.5 %, a slight bounce) with that stepping.
    readonly property real springStiffness: 7.0
    readonly property real smoothSpringDamping: 0.42
    readonly property real bouncySpringDamping: 0.36
    // The time the springs above take to come to rest, for colours that change beside them.
    readonly property int springSettleMilliseconds: 350
}
