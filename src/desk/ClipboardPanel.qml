import QtQuick
import QtQuick.Layouts
import Brivane

// The "Clip" tab: a capture button and the ten newest clipboard entries.
Item {
    id: root
    objectName: "clipboardPanel"
    required property ClipboardStore clipboard

    implicitWidth: 340
    implicitHeight: column.implicitHeight

    ClipboardModel {
        id: rows
        objectName: "clipboardRows"
        store: root.clipboard
        limit: 10
    }

    Column {
        id: column
        width: parent.width
        spacing: 6

        RowLayout {
            width: parent.width

            Text {
                objectName: "clipboardTitle"
                text: "Clipboard"
                textFormat: Text.PlainText
                font.pixelSize: 12
                font.bold: true
                color: Theme.green
            }
            Item { Layout.fillWidth: true }
            Rectangle {
                id: captureButton
                objectName: "captureButton"
                implicitWidth: captureLabel.implicitWidth + 20
                implicitHeight: captureLabel.implicitHeight + 10
                radius: 6
                color: Qt.rgba(Theme.green.r, Theme.green.g, Theme.green.b, captureArea.pressed ? 0.3 : 0.15)
                border.width: 1
                border.color: Qt.rgba(Theme.green.r, Theme.green.g, Theme.green.b, 0.3)
                Accessible.role: Accessible.Button
                Accessible.name: "Capture"
                Accessible.onPressAction: root.clipboard.capture()

                Row {
                    id: captureLabel
                    anchors.centerIn: parent
                    spacing: 4
                    Text {
                        anchors.verticalCenter: parent.verticalCenter
                        text: Symbols.glyph("arrow.down.doc")
                        font.family: Symbols.fontFamily
                        font.pixelSize: 12
                        color: Theme.green
                    }
                    Text {
                        anchors.verticalCenter: parent.verticalCenter
                        text: "Capture"
                        textFormat: Text.PlainText
                        font.pixelSize: 10
                        font.bold: true
                        color: Theme.green
                    }
                }
                MouseArea {
                    id: captureArea
                    anchors.fill: parent
                    onClicked: root.clipboard.capture()
                }
            }
        }

        Text {
            objectName: "clipboardEmpty"
            visible: root.clipboard.count === 0
            width: parent.width
            height: visible ? 80 : 0
            text: "Copy some text, then tap Capture."
            textFormat: Text.PlainText
            font.pixelSize: 11
            color: Qt.rgba(1, 1, 1, 0.3)
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
        }

        Repeater {
            model: rows
            delegate: Rectangle {
                id: row
                required property int index
                required property string preview

                objectName: "clipRow_" + index
                width: column.width
                height: rowContent.implicitHeight + 14
                radius: 8
                color: Qt.rgba(Theme.green.r, Theme.green.g, Theme.green.b, 0.06)
                border.width: 1
                border.color: Qt.rgba(Theme.green.r, Theme.green.g, Theme.green.b, 0.12)

                RowLayout {
                    id: rowContent
                    x: 10
                    y: 7
                    width: parent.width - 20
                    spacing: 8

                    Text {
                        objectName: "clipText_" + row.index
                        Layout.fillWidth: true
                        text: row.preview
                        textFormat: Text.PlainText
                        font.pixelSize: 10
                        font.weight: Font.Medium
                        color: Theme.white
                        wrapMode: Text.Wrap
                        maximumLineCount: 2
                        elide: Text.ElideRight
                    }
                    Text {
                        objectName: "clipCopy_" + row.index
                        text: Symbols.glyph("doc.on.doc")
                        font.family: Symbols.fontFamily
                        font.pixelSize: 10
                        font.weight: Font.DemiBold
                        color: Theme.green
                        opacity: copyArea.pressed ? 0.6 : 1
                        Accessible.role: Accessible.Button
                        Accessible.name: qsTr("Copy back")
                        Accessible.onPressAction: root.clipboard.pasteAt(row.index)
                        MouseArea {
                            id: copyArea
                            anchors.fill: parent
                            anchors.margins: -4
                            onClicked: root.clipboard.pasteAt(row.index)
                        }
                    }
                    Text {
                        objectName: "clipDelete_" + row.index
                        text: Symbols.glyph("xmark.circle.fill")
                        font.family: Symbols.fontFamily
                        font.pixelSize: 12
                        color: Qt.rgba(Theme.red.r, Theme.red.g, Theme.red.b, deleteArea.pressed ? 1 : 0.6)
                        Accessible.role: Accessible.Button
                        Accessible.name: qsTr("Delete entry")
                        Accessible.onPressAction: root.clipboard.deleteAt(row.index)
                        MouseArea {
                            id: deleteArea
                            anchors.fill: parent
                            anchors.margins: -4
                            onClicked: root.clipboard.deleteAt(row.index)
                        }
                    }
                }
            }
        }
    }
}
