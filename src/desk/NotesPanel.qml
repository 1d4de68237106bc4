// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import QtQuick.Layouts
import Brivane

// The "Notes" tab: a one-line input and the eight newest notes.
Item {
    id: root
    objectName: "notesPanel"
    required property NotesStore notes

    implicitWidth: 340
    implicitHeight: column.implicitHeight

    function save() {
        if (root.notes.addFromInput(input.text))
            input.text = ""
    }

    NotesModel {
        id: rows
        objectName: "notesRows"
        store: root.notes
        limit: 8
    }

    Column {
        id: column
        width: parent.width
        spacing: 8

        RowLayout {
            width: parent.width
            spacing: 6

            TintedField {
                id: input
                objectName: "noteInput"
                Layout.fillWidth: true
                tint: Theme.yellow
                placeholderText: qsTr("Quick note...")
                Accessible.name: qsTr("Quick note")
                onAccepted: root.save()
            }

            GlyphButton {
                objectName: "noteAdd"
                text: qsTr("Add note")
                symbol: "plus.circle.fill"
                glyphSize: 20
                glyphWeight: Font.Bold
                glyphColor: Theme.yellow
                onClicked: root.save()
            }
        }

        Repeater {
            model: rows
            delegate: RowCard {
                id: row
                required property int index
                required property string noteId
                required property string text
                required property string timeText

                objectName: "noteRow_" + index
                width: column.width
                height: rowContent.implicitHeight + 16
                tint: Theme.yellow
                Accessible.role: Accessible.ListItem
                Accessible.name: qsTr("%1, %2").arg(row.text).arg(row.timeText)

                RowLayout {
                    id: rowContent
                    x: 12
                    y: 8
                    width: parent.width - 24
                    spacing: 8

                    PlainLabel {
                        objectName: "noteText_" + row.index
                        Layout.fillWidth: true
                        text: row.text
                        font.pixelSize: 11
                        font.weight: Font.Medium
                        wrapMode: Text.Wrap
                        maximumLineCount: 2
                        elide: Text.ElideRight
                    }
                    PlainLabel {
                        objectName: "noteTime_" + row.index
                        text: row.timeText
                        font.pixelSize: 9
                        font.bold: true
                        color: Qt.rgba(Theme.yellow.r, Theme.yellow.g, Theme.yellow.b, 0.6)
                    }
                    GlyphButton {
                        objectName: "noteDelete_" + row.index
                        // Which note it deletes, for those who cannot see the row.
                        text: qsTr("Delete note: %1").arg(row.text)
                        symbol: "xmark.circle.fill"
                        glyphSize: 12
                        glyphColor: Qt.rgba(Theme.red.r, Theme.red.g, Theme.red.b, 0.7)
                        onClicked: root.notes.deleteNote(row.noteId)
                    }
                }
            }
        }
    }
}
