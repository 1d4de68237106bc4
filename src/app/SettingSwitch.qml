// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import QtQuick.Controls.Basic

// An on/off setting of the settings window, its label in the window's text
// colour.
Switch {
    id: control
    required property color textColor

    Accessible.role: Accessible.CheckBox
    Accessible.name: text
    Accessible.checked: checked
    contentItem: Text {
        text: control.text
        textFormat: Text.PlainText
        color: control.textColor
        leftPadding: control.indicator.width + control.spacing
        verticalAlignment: Text.AlignVCenter
    }
}
