// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import Brivane

// The ring around a control that has the keyboard focus.
Rectangle {
    property bool shown
    property real spread: 3

    x: -spread
    y: -spread
    width: parent ? parent.width + 2 * spread : 0
    height: parent ? parent.height + 2 * spread : 0
    radius: 6
    color: "transparent"
    border.width: 2
    border.color: Qt.rgba(1, 1, 1, 0.7)
    visible: shown
}
