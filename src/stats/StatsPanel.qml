import QtQuick
import Brivane

// Empty until this tab is built.
Item {
    objectName: "statsPanel"
    implicitHeight: 0
}
