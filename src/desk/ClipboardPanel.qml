// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import QtQuick.Layouts
import Brivane

// The "Clip" tab: a capture button and the ten newest clipboard entries.
Item {
    id: root
    objectName: "clipboardPanel"
    required property ClipboardStore clipboard

    implicitWidth: 340
    implicitHeight: column.implicitHeight

    ClipboardModel {
        id: rows
        objectName: "clipboardRows"
        store: root.clipboard
        limit: 10
    }

    Column {
        id: column
        width: parent.width
        spacing: 6

        RowLayout {
            width: parent.width

            PlainLabel {
                objectName: "clipboardTitle"
                text: qsTr("Clipboard", "the Clip tab's heading")
                font.pixelSize: 12
                font.bold: true
                color: Theme.green
                Accessible.role: Accessible.Heading
            }
            Item { Layout.fillWidth: true }
            PlainButton {
                id: captureButton
                objectName: "captureButton"
                padding: 0
                text: qsTr("Capture", "takes what the clipboard holds")
                implicitWidth: captureLabel.implicitWidth + 20
                implicitHeight: captureLabel.implicitHeight + 10
                onClicked: root.clipboard.capture()

                background: RowCard {
                    radius: 6
                    tint: Theme.green
                    fillOpacity: captureButton.pressed ? 0.3 : 0.15
                    borderOpacity: 0.3
                    FocusRing { shown: captureButton.visualFocus }
                }
                contentItem: Item {
                    Row {
                        id: captureLabel
                        anchors.centerIn: parent
                        spacing: 4
                        Text {
                            anchors.verticalCenter: parent.verticalCenter
                            text: Symbols.glyph("arrow.down.doc")
                            font.family: Symbols.fontFamily
                            font.pixelSize: 12
                            color: Theme.green
                        }
                        Text {
                            anchors.verticalCenter: parent.verticalCenter
                            text: captureButton.text
                            textFormat: Text.PlainText
                            font.pixelSize: 10
                            font.bold: true
                            color: Theme.green
                        }
                    }
                }
            }
        }

        PlainLabel {
            objectName: "clipboardEmpty"
            visible: root.clipboard.count === 0
            width: parent.width
            height: visible ? 80 : 0
            text: qsTr("Copy some text, then tap Capture.")
            textFormat: Text.PlainText
            font.pixelSize: 11
            color: Qt.rgba(1, 1, 1, 0.3)
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
        }

        Repeater {
            model: rows
            delegate: RowCard {
                id: row
                required property int index
                required property string preview

                objectName: "clipRow_" + index
                width: column.width
                height: rowContent.implicitHeight + 14
                tint: Theme.green
                Accessible.role: Accessible.ListItem
                Accessible.name: row.preview

                RowLayout {
                    id: rowContent
                    x: 10
                    y: 7
                    width: parent.width - 20
                    spacing: 8

                    PlainLabel {
                        objectName: "clipText_" + row.index
                        Layout.fillWidth: true
                        text: row.preview
                        font.pixelSize: 10
                        font.weight: Font.Medium
                        wrapMode: Text.Wrap
                        maximumLineCount: 2
                        elide: Text.ElideRight
                    }
                    GlyphButton {
                        objectName: "clipCopy_" + row.index
                        // Which entry it acts on, for those who cannot see the row.
                        text: qsTr("Copy back: %1").arg(row.preview)
                        symbol: "doc.on.doc"
                        glyphSize: 10
                        glyphWeight: Font.DemiBold
                        glyphColor: Theme.green
                        onClicked: root.clipboard.pasteAt(row.index)
                    }
                    GlyphButton {
                        objectName: "clipDelete_" + row.index
                        text: qsTr("Delete entry: %1").arg(row.preview)
                        symbol: "xmark.circle.fill"
                        glyphSize: 12
                        glyphColor: Qt.rgba(Theme.red.r, Theme.red.g, Theme.red.b, 0.6)
                        onClicked: root.clipboard.deleteAt(row.index)
                    }
                }
            }
        }
    }
}
