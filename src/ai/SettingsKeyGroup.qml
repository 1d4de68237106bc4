// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Brivane

// The AI server: its address (checked by the store when the field is left),
// the model (offered by the server, or typed), the key of that server
// (masked; kept when the field is left) and whether earlier turns are sent
// along.
Item {
    id: root
    objectName: "settingsKeyGroup"

    required property AIStore ai

    implicitHeight: group.implicitHeight
    Component.onCompleted: root.ai.lookUpKeyring()

    SystemPalette { id: system; colorGroup: SystemPalette.Active }
    readonly property color secondaryText: Qt.rgba(system.windowText.r, system.windowText.g, system.windowText.b, 0.6)
    readonly property string keyName: root.ai.isDefaultServer ? qsTr("OpenAI API Key") : qsTr("API key")

    ColumnLayout {
        id: group
        width: parent.width
        spacing: 4

        Text {
            objectName: "keyHeading"
            text: root.keyName
            textFormat: Text.PlainText
            font.pixelSize: 13
            font.weight: Font.DemiBold
            color: system.windowText
            Accessible.role: Accessible.Heading
            Accessible.name: text
        }

        Text {
            text: qsTr("Server address")
            textFormat: Text.PlainText
            font.pixelSize: 11
            color: root.secondaryText
        }
        TextField {
            id: addressField
            objectName: "serverAddressField"
            Layout.fillWidth: true
            placeholderText: "https://api.openai.com/v1"
            inputMethodHints: Qt.ImhUrlCharactersOnly | Qt.ImhNoPredictiveText | Qt.ImhNoAutoUppercase
            selectByMouse: true
            text: root.ai.baseUrl
            onEditingFinished: {
                root.ai.editBaseUrl(text)
                // A refused address stays in the field to be mended.
                if (root.ai.addressProblem.length === 0)
                    text = Qt.binding(() => root.ai.baseUrl)
            }
            Accessible.role: Accessible.EditableText
            Accessible.name: qsTr("Server address")
            Accessible.description: addressProblem.text
        }
        RowLayout {
            visible: root.ai.addressProblem.length > 0
            Layout.fillWidth: true
            spacing: 8
            Text {
                id: addressProblem
                objectName: "serverAddressProblem"
                Layout.fillWidth: true
                text: root.ai.addressProblem
                textFormat: Text.PlainText
                wrapMode: Text.Wrap
                font.pixelSize: 10
                color: root.ai.addressNeedsConfirmation ? system.windowText : "#d93025"
                Accessible.role: Accessible.StaticText
                Accessible.name: text
            }
            Button {
                objectName: "confirmServerAddress"
                visible: root.ai.addressNeedsConfirmation
                text: qsTr("Use It")
                onClicked: {
                    root.ai.confirmAddress()
                    addressField.text = Qt.binding(() => root.ai.baseUrl)
                }
                Accessible.role: Accessible.Button
                Accessible.name: qsTr("Use this address over plain http")
            }
        }

        Text {
            text: qsTr("Model")
            textFormat: Text.PlainText
            font.pixelSize: 11
            color: root.secondaryText
        }
        ComboBox {
            id: modelChoice
            objectName: "modelField"
            Layout.fillWidth: true
            editable: true
            model: root.ai.models
            currentIndex: root.ai.models.indexOf(root.ai.model)
            onAccepted: root.ai.model = editText
            onActivated: index => root.ai.model = textAt(index)
            onActiveFocusChanged: if (!activeFocus) root.ai.model = editText
            onPressedChanged: if (pressed) root.ai.refreshModels()
            // The box resets its text whenever its list changes: the stored
            // name is put back, whether or not the server lists it.
            function showStoredModel() {
                if (!activeFocus)
                    editText = root.ai.model
            }
            Connections {
                target: root.ai
                function onModelsChanged() { modelChoice.showStoredModel() }
                function onModelChanged() { modelChoice.showStoredModel() }
            }
            Component.onCompleted: {
                editText = root.ai.model
                root.ai.refreshModels()
            }
            Accessible.role: Accessible.ComboBox
            Accessible.name: qsTr("Model")
        }

        Text {
            text: qsTr("API key")
            textFormat: Text.PlainText
            font.pixelSize: 11
            color: root.secondaryText
        }
        TextField {
            id: keyField
            objectName: "apiKeyField"
            Layout.fillWidth: true
            placeholderText: root.ai.isDefaultServer ? qsTr("sk-...", "the start of an OpenAI key") : ""
            echoMode: TextInput.Password
            inputMethodHints: Qt.ImhSensitiveData | Qt.ImhNoPredictiveText | Qt.ImhNoAutoUppercase
            selectByMouse: true
            // Two-way: the store's value (the current server's key) shows
            // here, and every user edit goes back to it; it is stored once
            // the field is left.
            text: root.ai.apiKey
            onTextEdited: root.ai.apiKey = text
            onEditingFinished: root.ai.keepApiKey()
            Accessible.role: Accessible.EditableText
            Accessible.name: root.keyName
        }

        Text {
            objectName: "keyCaption"
            visible: root.ai.isDefaultServer
            Layout.fillWidth: true
            text: qsTr("Required for AI chat. Get one at platform.openai.com")
            textFormat: Text.PlainText
            wrapMode: Text.Wrap
            font.pixelSize: 10
            color: root.secondaryText
        }

        Switch {
            id: rememberSwitch
            objectName: "rememberConversation"
            text: qsTr("Remember the conversation")
            checked: root.ai.rememberConversation
            onToggled: root.ai.rememberConversation = checked
            Accessible.role: Accessible.CheckBox
            Accessible.name: text
            Accessible.checked: checked
            contentItem: Text {
                text: rememberSwitch.text
                color: system.windowText
                leftPadding: rememberSwitch.indicator.width + rememberSwitch.spacing
                verticalAlignment: Text.AlignVCenter
            }
        }
    }
}
