// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Brivane

// The settings window's read-only list of every note with its date.
Item {
    id: root
    objectName: "settingsNotesList"
    required property NotesStore notes

    SystemPalette { id: system; colorGroup: SystemPalette.Active }
    readonly property color secondaryText: Qt.rgba(system.windowText.r, system.windowText.g,
                                                   system.windowText.b, 0.6)

    implicitHeight: heading.implicitHeight + 16 + 80

    NotesModel {
        id: rows
        objectName: "settingsNotesRows"
        store: root.notes
        previewLength: 2000
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 16

        Text {
            id: heading
            objectName: "notesHeading"
            text: qsTr("Notes (%1)").arg(root.notes.count)
            textFormat: Text.PlainText
            font.pixelSize: 15
            font.bold: true
            color: system.windowText
            Accessible.role: Accessible.Heading
            Accessible.name: text
        }

        ListView {
            id: list
            objectName: "settingsNotesView"
            Layout.fillWidth: true
            Layout.fillHeight: true
            clip: true
            spacing: 10
            model: rows
            boundsBehavior: Flickable.StopAtBounds
            Accessible.role: Accessible.List
            Accessible.name: qsTr("Notes")
            ScrollBar.vertical: ScrollBar {
                objectName: "settingsNotesScrollBar"
                Accessible.name: qsTr("Scroll the notes")
            }

            delegate: Column {
                id: row
                required property int index
                required property string text
                required property string dateText

                objectName: "settingsNote_" + index
                width: list.width - 12
                spacing: 3
                Accessible.role: Accessible.ListItem
                Accessible.name: text

                Text {
                    objectName: "settingsNoteText_" + row.index
                    width: parent.width
                    text: row.text
                    textFormat: Text.PlainText
                    font.pixelSize: 13
                    color: system.windowText
                    wrapMode: Text.Wrap
                    maximumLineCount: 10
                    elide: Text.ElideRight
                }
                Text {
                    objectName: "settingsNoteDate_" + row.index
                    text: row.dateText
                    textFormat: Text.PlainText
                    font.pixelSize: 10
                    color: root.secondaryText
                }
            }
        }
    }
}
