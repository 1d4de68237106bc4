import QtQuick
import Brivane

// Empty until this tab is built.
Item {
    objectName: "miniPlayer"
    required property MediaStore media
    implicitHeight: 36
}
