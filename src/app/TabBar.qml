// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import Brivane

// One equal button a tab (seven, or eight with the Shelf); the selected one
// is larger, bolder and coloured.
Item {
    id: bar
    required property TabModel model
    required property int selectedTab
    signal tabClicked(int index)

    implicitHeight: row.height + 8
    Accessible.role: Accessible.PageTabList
    Accessible.name: qsTr("Tabs")

    // One stop in the Tab chain; Left and Right then move between the tabs.
    activeFocusOnTab: true
    Keys.onLeftPressed: bar.tabClicked((bar.selectedTab + tabs.count - 1) % tabs.count)
    Keys.onRightPressed: bar.tabClicked((bar.selectedTab + 1) % tabs.count)

    Row {
        id: row
        x: 4
        width: parent.width - 8
        Repeater {
            id: tabs
            model: bar.model
            delegate: Item {
                id: tab
                required property int index
                required property string label
                required property string name
                required property string glyph
                required property color tabColor
                readonly property bool selected: bar.selectedTab === index
                readonly property color tint: selected ? tabColor : Qt.rgba(1, 1, 1, 0.2)

                objectName: "tab_" + name
                width: row.width / Math.max(1, tabs.count)
                height: Math.max(42, content.implicitHeight)
                Accessible.role: Accessible.PageTab
                Accessible.name: label
                Accessible.selectable: true
                Accessible.selected: selected
                Accessible.onPressAction: bar.tabClicked(index)

                Column {
                    id: content
                    anchors.centerIn: parent
                    spacing: 3
                    Text {
                        anchors.horizontalCenter: parent.horizontalCenter
                        text: tab.glyph
                        font.family: Symbols.fontFamily
                        font.pixelSize: tab.selected ? 13 : 11
                        color: tab.tint
                        Behavior on font.pixelSize { NumberAnimation { duration: Theme.tabSpringMs; easing.type: Easing.OutBack } }
                        Behavior on color { ColorAnimation { duration: Theme.tabSpringMs } }
                    }
                    Text {
                        anchors.horizontalCenter: parent.horizontalCenter
                        text: tab.label
                        textFormat: Text.PlainText
                        font.pixelSize: 7
                        font.weight: tab.selected ? Font.Black : Font.Medium
                        color: tab.tint
                        Behavior on color { ColorAnimation { duration: Theme.tabSpringMs } }
                    }
                }
                MouseArea {
                    anchors.fill: parent
                    onClicked: bar.tabClicked(tab.index)
                }
                FocusRing {
                    spread: -1
                    shown: bar.activeFocus && tab.selected
                }
            }
        }
    }
}
