import QtQuick
import Brivane

// Empty until this tab is built.
Item {
    objectName: "clipboardPanel"
    required property ClipboardStore clipboard
    implicitHeight: 0
}
