// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import Brivane

// A chrome-less button that shows one symbol; `text` is its spoken name. It
// takes keyboard focus and shows a ring while it has it from the keyboard.
PlainButton {
    id: control

    property string symbol
    property int glyphSize: 22
    property int glyphWeight: Font.Medium
    property color glyphColor: "white"

    padding: 0
    hoverEnabled: true

    contentItem: Text {
        text: Symbols.glyph(control.symbol)
        font.family: Symbols.fontFamily
        font.pixelSize: control.glyphSize
        font.weight: control.glyphWeight
        color: control.glyphColor
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        opacity: control.pressed ? 0.5 : (control.hovered ? 0.85 : 1)
    }
    background: FocusRing { shown: control.visualFocus }
}
