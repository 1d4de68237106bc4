import QtQuick
import Brivane

// Empty until this tab is built.
Item {
    objectName: "timerPanel"
    implicitHeight: 0
}
