import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Brivane

// Where and when the card opens.
GridLayout {
    id: group
    required property PanelSettings settings
    required property color textColor

    columns: 2
    columnSpacing: 12
    rowSpacing: 6

    Text {
        Layout.columnSpan: 2
        text: qsTr("General")
        textFormat: Text.PlainText
        font.pixelSize: 15
        font.bold: true
        color: group.textColor
        Accessible.role: Accessible.Heading
        Accessible.name: text
    }

    Text {
        text: qsTr("Open after (ms)")
        textFormat: Text.PlainText
        color: group.textColor
        Layout.fillWidth: true
    }
    SpinBox {
        objectName: "openDelay"
        from: 0
        to: 1000
        stepSize: 50
        editable: true
        value: group.settings ? group.settings.openDelay : 0
        onValueModified: group.settings.openDelay = value
        Accessible.role: Accessible.SpinBox
        Accessible.name: qsTr("Open after")
    }

    Text {
        text: qsTr("Close after (ms)")
        textFormat: Text.PlainText
        color: group.textColor
        Layout.fillWidth: true
    }
    SpinBox {
        objectName: "closeGrace"
        from: 0
        to: 1000
        stepSize: 50
        editable: true
        value: group.settings ? group.settings.closeGrace : 0
        onValueModified: group.settings.closeGrace = value
        Accessible.role: Accessible.SpinBox
        Accessible.name: qsTr("Close after")
    }

    Switch {
        id: hideSwitch
        objectName: "hideOverFullScreen"
        Layout.columnSpan: 2
        text: qsTr("Hide over full-screen apps")
        checked: group.settings ? group.settings.hideOverFullScreen : false
        onToggled: group.settings.hideOverFullScreen = checked
        Accessible.role: Accessible.CheckBox
        Accessible.name: text
        Accessible.checked: checked
        contentItem: Text {
            text: hideSwitch.text
            color: group.textColor
            leftPadding: hideSwitch.indicator.width + hideSwitch.spacing
            verticalAlignment: Text.AlignVCenter
        }
    }
}
