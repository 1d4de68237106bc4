import QtQuick
import Brivane

// Empty until this tab is built.
Item {
    objectName: "mediaPanel"
    required property MediaStore media
    implicitHeight: 0
}
