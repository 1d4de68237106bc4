// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Brivane

// Where and when the card opens.
GridLayout {
    id: group
    required property PanelSettings settings
    required property color textColor
    // Why the last typed shortcut was refused, until one is taken.
    property string shortcutRefusal: ""
    // Lists the players to choose from; none in views without one.
    property MediaStore media: null

    columns: 2
    columnSpacing: 12
    rowSpacing: 6

    Text {
        Layout.columnSpan: 2
        text: qsTr("General")
        textFormat: Text.PlainText
        font.pixelSize: 15
        font.bold: true
        color: group.textColor
        Accessible.role: Accessible.Heading
        Accessible.name: text
    }

    Text {
        text: qsTr("Open after (ms)")
        textFormat: Text.PlainText
        color: group.textColor
        Layout.fillWidth: true
    }
    SpinBox {
        objectName: "openDelay"
        from: 0
        to: 1000
        stepSize: 50
        editable: true
        value: group.settings ? group.settings.openDelay : 0
        onValueModified: group.settings.openDelay = value
        Accessible.role: Accessible.SpinBox
        Accessible.name: qsTr("Open after")
    }

    Text {
        text: qsTr("Close after (ms)")
        textFormat: Text.PlainText
        color: group.textColor
        Layout.fillWidth: true
    }
    SpinBox {
        objectName: "closeGrace"
        from: 0
        to: 1000
        stepSize: 50
        editable: true
        value: group.settings ? group.settings.closeGrace : 0
        onValueModified: group.settings.closeGrace = value
        Accessible.role: Accessible.SpinBox
        Accessible.name: qsTr("Close after")
    }

    SettingSwitch {
        objectName: "hideOverFullScreen"
        Layout.columnSpan: 2
        text: qsTr("Hide over full-screen apps")
        textColor: group.textColor
        checked: group.settings ? group.settings.hideOverFullScreen : false
        onToggled: group.settings.hideOverFullScreen = checked
    }

    SettingSwitch {
        objectName: "showActivity"
        Layout.columnSpan: 2
        text: qsTr("Show activity in the strip")
        textColor: group.textColor
        checked: group.settings ? group.settings.showActivity : false
        onToggled: group.settings.showActivity = checked
    }

    Text {
        text: qsTr("Show on")
        textFormat: Text.PlainText
        color: group.textColor
        Layout.fillWidth: true
    }
    ComboBox {
        id: monitorChoice
        objectName: "monitorChoice"
        Layout.preferredWidth: 180
        // "" is the primary monitor and "*" every monitor; a stored monitor
        // that is unplugged stays listed, so the choice is not lost.
        readonly property var names: {
            const names = []
            const screens = Qt.application.screens
            for (let i = 0; i < screens.length; ++i) {
                if (screens[i].name.length > 0)
                    names.push(screens[i].name)
            }
            const stored = group.settings ? group.settings.monitor : ""
            if (stored.length > 0 && stored !== "*" && names.indexOf(stored) < 0)
                names.push(stored)
            return names
        }
        model: [qsTr("Primary monitor"), qsTr("All monitors")].concat(names)
        currentIndex: {
            const stored = group.settings ? group.settings.monitor : ""
            return stored === "" ? 0 : stored === "*" ? 1 : 2 + names.indexOf(stored)
        }
        onActivated: index => group.settings.monitor = index === 0 ? "" : index === 1 ? "*" : names[index - 2]
        Accessible.role: Accessible.ComboBox
        Accessible.name: qsTr("Show on")
    }

    Text {
        text: qsTr("Shortcut")
        textFormat: Text.PlainText
        color: group.textColor
        Layout.fillWidth: true
    }
    TextField {
        id: shortcutField
        objectName: "shortcutField"
        Layout.preferredWidth: 180
        text: group.settings ? group.settings.shortcut : ""
        placeholderText: qsTr("None")
        onEditingFinished: {
            const refusal = group.settings.setShortcut(text)
            group.shortcutRefusal = refusal
            if (refusal.length === 0)
                text = Qt.binding(() => group.settings.shortcut)
        }
        Accessible.role: Accessible.EditableText
        Accessible.name: qsTr("Shortcut")
        Accessible.description: shortcutNote.text
    }
    Text {
        id: shortcutNote
        objectName: "shortcutNote"
        Layout.columnSpan: 2
        Layout.fillWidth: true
        visible: text.length > 0
        text: group.shortcutRefusal.length > 0 ? group.shortcutRefusal : (group.settings ? group.settings.shortcutStatus : "")
        textFormat: Text.PlainText
        wrapMode: Text.Wrap
        font.pixelSize: 11
        color: group.textColor
        opacity: 0.7
        Accessible.role: Accessible.StaticText
        Accessible.name: text
    }

    Text {
        text: qsTr("Player")
        textFormat: Text.PlainText
        color: group.textColor
        Layout.fillWidth: true
    }
    ComboBox {
        id: playerChoice
        objectName: "playerChoice"
        // "" is the automatic choice.
        model: [""].concat(group.media ? group.media.playerChoices : [])
        currentIndex: Math.max(0, model.indexOf(group.settings ? group.settings.player : ""))
        displayText: currentIndex > 0 ? currentText : qsTr("Automatic")
        Layout.preferredWidth: 140
        onActivated: index => group.settings.player = model[index]
        Accessible.role: Accessible.ComboBox
        Accessible.name: qsTr("Player")
        delegate: ItemDelegate {
            id: option
            required property string modelData
            required property int index
            objectName: "playerOption"
            width: playerChoice.width
            text: modelData.length > 0 ? modelData : qsTr("Automatic")
            highlighted: playerChoice.highlightedIndex === index
            Accessible.role: Accessible.ListItem
            Accessible.name: text
            contentItem: Text {
                text: option.text
                textFormat: Text.PlainText
                elide: Text.ElideRight
                verticalAlignment: Text.AlignVCenter
                color: option.highlighted ? option.palette.highlightedText : option.palette.text
            }
        }
    }
}
