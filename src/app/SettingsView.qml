// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Brivane

// The settings window's content: the AI key and the saved notes.
Item {
    id: root
    objectName: "settingsView"

    required property NotesStore notes
    required property AIStore ai
    property PanelSettings panelSettings: null
    property MediaStore media: null
    // Only on GNOME Shell, where the top bar's centre needs the extension.
    property ShellExtension shellExtension: null

    SystemPalette { id: system; colorGroup: SystemPalette.Active }
    readonly property color windowColor: system.window
    readonly property color secondaryText: Qt.rgba(system.windowText.r, system.windowText.g, system.windowText.b, 0.6)

    Rectangle { anchors.fill: parent; color: root.windowColor }

    // The column scrolls when it needs more than the window; the control
    // that takes the keyboard is scrolled into view.
    Flickable {
        id: scroller
        objectName: "settingsScroller"
        anchors.fill: parent
        contentHeight: column.height + 40
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar {
            objectName: "settingsScrollBar"
            policy: scroller.contentHeight > scroller.height ? ScrollBar.AlwaysOn : ScrollBar.AlwaysOff
            Accessible.name: qsTr("Scroll the settings")
        }
        Connections {
            target: root.Window.window
            function onActiveFocusItemChanged() {
                const item = root.Window.window.activeFocusItem
                if (!item || !column.contains(column.mapFromItem(item, 0, 0)))
                    return
                const top = column.mapFromItem(item, 0, 0).y + column.y
                const bottom = top + item.height
                if (top - 12 < scroller.contentY)
                    scroller.contentY = Math.max(0, top - 12)
                else if (bottom + 12 > scroller.contentY + scroller.height)
                    scroller.contentY = Math.min(scroller.contentHeight - scroller.height, bottom + 12 - scroller.height)
            }
        }

        ColumnLayout {
            id: column
            x: 20
            y: 20
            width: scroller.width - 40
            height: Math.max(implicitHeight, scroller.height - 40)
            spacing: 12

            Text {
                objectName: "settingsTitle"
                text: qsTr("Brivane Settings")
                textFormat: Text.PlainText
                font.pixelSize: 22
                font.bold: true
                color: system.windowText
                Accessible.role: Accessible.Heading
                Accessible.name: text
            }
            Text {
                objectName: "settingsHint"
                text: qsTr("Hover at the top center of your screen to open.")
                textFormat: Text.PlainText
                font.pixelSize: 12
                color: root.secondaryText
                Layout.fillWidth: true
                wrapMode: Text.Wrap
            }
            RowLayout {
                objectName: "shellExtensionRow"
                visible: root.shellExtension !== null && root.shellExtension.status !== ""
                Layout.fillWidth: true
                spacing: 12
                Text {
                    objectName: "shellExtensionStatus"
                    text: root.shellExtension ? root.shellExtension.status : ""
                    textFormat: Text.PlainText
                    font.pixelSize: 12
                    color: root.secondaryText
                    wrapMode: Text.Wrap
                    Layout.fillWidth: true
                    Accessible.role: Accessible.StaticText
                    Accessible.name: text
                }
                Button {
                    objectName: "enableShellExtension"
                    visible: root.shellExtension !== null && root.shellExtension.canEnable
                    text: qsTr("Turn On")
                    onClicked: root.shellExtension.enable()
                    Accessible.role: Accessible.Button
                    Accessible.name: qsTr("Turn on the GNOME Shell extension")
                }
            }
            Rectangle { Layout.fillWidth: true; implicitHeight: 1; color: system.mid }

            SettingsGeneralGroup {
                objectName: "generalGroup"
                visible: root.panelSettings !== null
                settings: root.panelSettings
                textColor: system.windowText
                media: root.media
                Layout.fillWidth: true
            }
            Rectangle {
                visible: root.panelSettings !== null
                Layout.fillWidth: true
                implicitHeight: 1
                color: system.mid
            }

            SettingsKeyGroup {
                ai: root.ai
                Layout.fillWidth: true
            }
            Rectangle { Layout.fillWidth: true; implicitHeight: 1; color: system.mid }

            SettingsNotesList {
                notes: root.notes
                Layout.fillWidth: true
                Layout.fillHeight: true
            }

            Autostart { id: autostart }
            Switch {
                id: startAtLogin
                objectName: "startAtLogin"
                text: qsTr("Start at login")
                checked: autostart.enabled
                onToggled: {
                    autostart.enabled = checked
                    // Show what the file system holds, even when the write failed.
                    checked = Qt.binding(() => autostart.enabled)
                }
                Accessible.role: Accessible.CheckBox
                Accessible.name: text
                Accessible.checked: checked
                contentItem: Text {
                    text: startAtLogin.text
                    color: system.windowText
                    leftPadding: startAtLogin.indicator.width + startAtLogin.spacing
                    verticalAlignment: Text.AlignVCenter
                }
            }
        }
    }
}
