import QtQuick
import Brivane

// Empty until this tab is built.
Item {
    objectName: "calculatorPanel"
    implicitHeight: 0
}
