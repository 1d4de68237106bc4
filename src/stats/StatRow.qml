// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import Brivane

// One figure: icon, caption, an optional small bar and the value, on a
// faintly tinted rounded background.
RowCard {
    id: row
    required property string icon
    required property string glyph
    required property string label
    required property string value
    required tint
    required property real progress
    required property bool barShown

    objectName: "statRow_" + label
    implicitHeight: Math.max(iconText.implicitHeight, valueText.implicitHeight) + 16
    borderOpacity: 0.15
    Accessible.role: Accessible.StaticText
    Accessible.name: label + " " + value

    Text {
        id: iconText
        objectName: "icon"
        x: 12
        width: 18
        anchors.verticalCenter: parent.verticalCenter
        horizontalAlignment: Text.AlignHCenter
        text: row.glyph
        font.family: Symbols.fontFamily
        font.pixelSize: 12
        color: row.tint
    }

    Text {
        objectName: "caption"
        x: iconText.x + iconText.width + 10
        width: 50
        anchors.verticalCenter: parent.verticalCenter
        text: row.label
        textFormat: Text.PlainText
        font.pixelSize: 11
        font.bold: true
        color: row.tint
        elide: Text.ElideRight
    }

    Item {
        id: bar
        objectName: "bar"
        visible: row.barShown
        width: 70
        height: 6
        anchors.right: valueText.left
        anchors.rightMargin: 10
        anchors.verticalCenter: parent.verticalCenter

        Rectangle {
            objectName: "track"
            width: parent.width
            height: parent.height
            radius: 2
            color: Qt.rgba(row.tint.r, row.tint.g, row.tint.b, 0.15)
        }
        Rectangle {
            objectName: "fill"
            // Not capped at the track: a figure past 100% shows as such.
            width: bar.width * row.progress
            height: parent.height
            radius: 2
            color: row.tint
        }
    }

    Text {
        id: valueText
        objectName: "value"
        anchors.right: parent.right
        anchors.rightMargin: 12
        anchors.verticalCenter: parent.verticalCenter
        text: row.value
        textFormat: Text.PlainText
        font.pixelSize: 11
        font.bold: true
        color: Theme.white
    }
}
