// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import Brivane

// A faintly tinted rounded card: the look of list rows, bubbles and strips.
Rectangle {
    property color tint: Theme.white
    property real fillOpacity: 0.06
    property real borderOpacity: 0.12

    radius: 8
    color: Qt.rgba(tint.r, tint.g, tint.b, fillOpacity)
    border.width: 1
    border.color: Qt.rgba(tint.r, tint.g, tint.b, borderOpacity)
}
