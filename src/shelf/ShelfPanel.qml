// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import QtQuick.Layouts
import Brivane

// The "Shelf" tab: the files dropped onto the strip, newest first. Each row
// drags out as the file's URI, opens the file, or leaves the shelf.
Item {
    id: root
    objectName: "shelfPanel"
    required property ShelfStore shelf

    implicitWidth: 340
    implicitHeight: column.implicitHeight

    ShelfModel {
        id: rows
        store: root.shelf
    }

    Column {
        id: column
        width: parent.width
        spacing: 6

        PlainLabel {
            objectName: "shelfTitle"
            text: qsTr("Shelf", "the Shelf tab's heading")
            font.pixelSize: 12
            font.bold: true
            color: Theme.cyan
            Accessible.role: Accessible.Heading
        }

        RowCard {
            objectName: "shelfDropHint"
            visible: root.shelf.dragOver
            width: parent.width
            height: visible ? 44 : 0
            tint: Theme.cyan
            fillOpacity: 0.12
            borderOpacity: 0.4
            PlainLabel {
                anchors.centerIn: parent
                text: qsTr("Drop to keep a link to the files here")
                font.pixelSize: 11
                font.weight: Font.Medium
                color: Theme.cyan
            }
        }

        PlainLabel {
            objectName: "shelfNotice"
            visible: text.length > 0
            width: parent.width
            text: root.shelf.notice
            font.pixelSize: 11
            wrapMode: Text.Wrap
            color: Theme.orange
        }

        PlainLabel {
            objectName: "shelfEmpty"
            visible: root.shelf.count === 0 && !root.shelf.dragOver
            width: parent.width
            height: visible ? 80 : 0
            text: qsTr("Drag files onto the strip to keep them here.")
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
                required property string name
                required property string detail
                required property string folder
                required property string icon
                required property bool missing

                objectName: "shelfRow_" + index
                width: column.width
                height: 48
                tint: Theme.cyan

                // Moved by the pointer only to tell the drag has begun; what
                // leaves the card is the file's URI, given by the store.
                Item {
                    id: dragged
                    width: 1
                    height: 1
                }
                MouseArea {
                    id: dragArea
                    objectName: "shelfDrag_" + row.index
                    anchors.fill: parent
                    Accessible.role: Accessible.ListItem
                    Accessible.name: row.missing ? qsTr("%1, missing").arg(row.name) : row.name
                    // A missing file has nothing to give.
                    enabled: !row.missing
                    preventStealing: true
                    drag.target: dragged
                    drag.onActiveChanged: if (drag.active) root.shelf.dragOut(row.index)
                    onReleased: {
                        dragged.x = 0
                        dragged.y = 0
                    }
                }

                RowLayout {
                    x: 10
                    width: parent.width - 20
                    height: parent.height
                    spacing: 8
                    opacity: row.missing ? 0.4 : 1

                    Image {
                        objectName: "shelfIcon_" + row.index
                        Layout.preferredWidth: 28
                        Layout.preferredHeight: 28
                        sourceSize: Qt.size(28, 28)
                        source: row.icon
                        Accessible.ignored: true
                    }
                    Column {
                        Layout.fillWidth: true
                        spacing: 2
                        PlainLabel {
                            objectName: "shelfName_" + row.index
                            width: parent.width
                            text: row.name
                            font.pixelSize: 11
                            font.weight: Font.DemiBold
                            elide: Text.ElideMiddle
                        }
                        PlainLabel {
                            objectName: "shelfDetail_" + row.index
                            width: parent.width
                            text: qsTr("%1 · %2", "size or state, then the folder").arg(row.detail).arg(row.folder)
                            font.pixelSize: 9
                            color: Qt.rgba(1, 1, 1, 0.5)
                            elide: Text.ElideMiddle
                        }
                    }
                    GlyphButton {
                        objectName: "shelfOpen_" + row.index
                        visible: !row.missing
                        text: qsTr("Open %1").arg(row.name)
                        symbol: "arrow.up.forward.app"
                        glyphSize: 13
                        glyphColor: Theme.cyan
                        onClicked: root.shelf.openAt(row.index)
                    }
                    GlyphButton {
                        objectName: "shelfRemove_" + row.index
                        text: qsTr("Remove from shelf: %1").arg(row.name)
                        symbol: "xmark.circle.fill"
                        glyphSize: 12
                        glyphColor: Qt.rgba(Theme.red.r, Theme.red.g, Theme.red.b, 0.6)
                        onClicked: root.shelf.removeAt(row.index)
                    }
                }
            }
        }
    }
}
