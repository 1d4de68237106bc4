// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Brivane

// The OpenAI key: a masked field that writes every edit straight to the
// store (which saves it), so there is nothing to confirm.
Item {
    id: root
    objectName: "settingsKeyGroup"

    required property AIStore ai

    implicitHeight: group.implicitHeight

    SystemPalette { id: system; colorGroup: SystemPalette.Active }

    ColumnLayout {
        id: group
        width: parent.width
        spacing: 8

        Text {
            objectName: "keyHeading"
            text: qsTr("OpenAI API Key")
            textFormat: Text.PlainText
            font.pixelSize: 13
            font.weight: Font.DemiBold
            color: system.windowText
            Accessible.role: Accessible.Heading
            Accessible.name: text
        }

        TextField {
            id: keyField
            objectName: "apiKeyField"
            Layout.fillWidth: true
            placeholderText: qsTr("sk-...", "the start of an OpenAI key")
            echoMode: TextInput.Password
            inputMethodHints: Qt.ImhSensitiveData | Qt.ImhNoPredictiveText | Qt.ImhNoAutoUppercase
            selectByMouse: true
            // Two-way: the store's value shows here, and every user edit
            // (not a change coming from the store) goes back to it.
            text: root.ai.apiKey
            onTextEdited: root.ai.apiKey = text
            Accessible.role: Accessible.EditableText
            Accessible.name: qsTr("OpenAI API Key")
            Accessible.passwordEdit: true
        }

        Text {
            objectName: "keyCaption"
            Layout.fillWidth: true
            text: qsTr("Required for AI chat. Get one at platform.openai.com")
            textFormat: Text.PlainText
            wrapMode: Text.Wrap
            font.pixelSize: 10
            color: Qt.rgba(system.windowText.r, system.windowText.g, system.windowText.b, 0.6)
        }
    }
}
