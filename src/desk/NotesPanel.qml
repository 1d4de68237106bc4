import QtQuick
import QtQuick.Controls.Basic
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

            TextField {
                id: input
                objectName: "noteInput"
                Layout.fillWidth: true
                placeholderText: "Quick note..."
                placeholderTextColor: Qt.rgba(1, 1, 1, 0.35)
                color: Theme.white
                selectionColor: Qt.rgba(Theme.yellow.r, Theme.yellow.g, Theme.yellow.b, 0.4)
                selectedTextColor: Theme.white
                font.pixelSize: 12
                font.weight: Font.Medium
                leftPadding: 10
                rightPadding: 10
                topPadding: 8
                bottomPadding: 8
                background: Rectangle {
                    radius: 8
                    color: Qt.rgba(Theme.yellow.r, Theme.yellow.g, Theme.yellow.b, 0.1)
                    border.width: 1
                    border.color: Qt.rgba(Theme.yellow.r, Theme.yellow.g, Theme.yellow.b, 0.3)
                }
                Accessible.role: Accessible.EditableText
                Accessible.name: qsTr("Quick note")
                onAccepted: root.save()
            }

            Text {
                id: addButton
                objectName: "noteAdd"
                text: Symbols.glyph("plus.circle.fill")
                font.family: Symbols.fontFamily
                font.pixelSize: 20
                font.bold: true
                color: Theme.yellow
                opacity: addArea.pressed ? 0.6 : 1
                Accessible.role: Accessible.Button
                Accessible.name: qsTr("Add note")
                Accessible.onPressAction: root.save()
                MouseArea {
                    id: addArea
                    anchors.fill: parent
                    anchors.margins: -4
                    onClicked: root.save()
                }
            }
        }

        Repeater {
            model: rows
            delegate: Rectangle {
                id: row
                required property int index
                required property string noteId
                required property string text
                required property string timeText

                objectName: "noteRow_" + index
                width: column.width
                height: rowContent.implicitHeight + 16
                radius: 8
                color: Qt.rgba(Theme.yellow.r, Theme.yellow.g, Theme.yellow.b, 0.06)
                border.width: 1
                border.color: Qt.rgba(Theme.yellow.r, Theme.yellow.g, Theme.yellow.b, 0.12)

                RowLayout {
                    id: rowContent
                    x: 12
                    y: 8
                    width: parent.width - 24
                    spacing: 8

                    Text {
                        objectName: "noteText_" + row.index
                        Layout.fillWidth: true
                        text: row.text
                        textFormat: Text.PlainText
                        font.pixelSize: 11
                        font.weight: Font.Medium
                        color: Theme.white
                        wrapMode: Text.Wrap
                        maximumLineCount: 2
                        elide: Text.ElideRight
                    }
                    Text {
                        objectName: "noteTime_" + row.index
                        text: row.timeText
                        textFormat: Text.PlainText
                        font.pixelSize: 9
                        font.bold: true
                        color: Qt.rgba(Theme.yellow.r, Theme.yellow.g, Theme.yellow.b, 0.6)
                    }
                    Text {
                        objectName: "noteDelete_" + row.index
                        text: Symbols.glyph("xmark.circle.fill")
                        font.family: Symbols.fontFamily
                        font.pixelSize: 12
                        color: Qt.rgba(Theme.red.r, Theme.red.g, Theme.red.b, deleteArea.pressed ? 1 : 0.7)
                        Accessible.role: Accessible.Button
                        Accessible.name: qsTr("Delete note")
                        Accessible.onPressAction: root.notes.deleteNote(row.noteId)
                        MouseArea {
                            id: deleteArea
                            anchors.fill: parent
                            anchors.margins: -4
                            onClicked: root.notes.deleteNote(row.noteId)
                        }
                    }
                }
            }
        }
    }
}
