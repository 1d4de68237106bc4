// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import QtQuick.Templates as T
import Brivane

// A one-line text field on a card of its tab's colour. The placeholder is
// also its accessible description; callers give the accessible name.
T.TextField {
    id: field

    property color tint: Theme.white
    property real fillOpacity: 0.1
    property real borderOpacity: 0.3
    property real selectionOpacity: 0.4

    implicitWidth: implicitBackgroundWidth + leftInset + rightInset
                   || Math.max(contentWidth, placeholder.implicitWidth) + leftPadding + rightPadding
    implicitHeight: Math.max(implicitBackgroundHeight + topInset + bottomInset,
                             contentHeight + topPadding + bottomPadding,
                             placeholder.implicitHeight + topPadding + bottomPadding)
    verticalAlignment: TextInput.AlignVCenter
    placeholderTextColor: Qt.rgba(1, 1, 1, 0.35)
    color: Theme.white
    selectionColor: Qt.rgba(tint.r, tint.g, tint.b, selectionOpacity)
    selectedTextColor: Theme.white
    selectByMouse: true
    font.pixelSize: 12
    font.weight: Font.Medium
    leftPadding: 10
    rightPadding: 10
    topPadding: 8
    bottomPadding: 8
    Text {
        id: placeholder
        x: field.leftPadding
        y: field.topPadding
        width: field.width - field.leftPadding - field.rightPadding
        height: field.height - field.topPadding - field.bottomPadding
        text: field.placeholderText
        textFormat: Text.PlainText
        font: field.font
        color: field.placeholderTextColor
        verticalAlignment: field.verticalAlignment
        elide: Text.ElideRight
        visible: !field.length && !field.preeditText
        // The field speaks its placeholder as its description already.
        Accessible.ignored: true
    }
    background: RowCard {
        tint: field.tint
        fillOpacity: field.fillOpacity
        // A firmer edge while typing here.
        borderOpacity: field.activeFocus ? Math.min(1, field.borderOpacity * 2) : field.borderOpacity
    }
    Accessible.role: Accessible.EditableText
    Accessible.description: field.placeholderText
}
