import QtQuick
import Brivane

// Empty until this tab is built.
Item {
    objectName: "notesPanel"
    required property NotesStore notes
    implicitHeight: 0
}
