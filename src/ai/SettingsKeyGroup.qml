import QtQuick
import Brivane

// Empty until this tab is built.
Item {
    objectName: "settingsKeyGroup"
    required property AIStore ai
    implicitHeight: 0
}
