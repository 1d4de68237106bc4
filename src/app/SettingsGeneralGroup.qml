import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Brivane

// Where and when the card opens.
GridLayout {
    id: group
    required property PanelSettings settings
    required property color textColor
    // Lists the players to choose from; none in views without one.
    property MediaStore media: null

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

    Text {
        text: qsTr("Player")
        textFormat: Text.PlainText
        color: group.textColor
        Layout.fillWidth: true
    }
    ComboBox {
        id: playerChoice
        objectName: "playerChoice"
        // "" is the automatic choice.
        model: [""].concat(group.media ? group.media.playerChoices : [])
        currentIndex: Math.max(0, model.indexOf(group.settings ? group.settings.player : ""))
        displayText: currentIndex > 0 ? currentText : qsTr("Automatic")
        Layout.preferredWidth: 140
        onActivated: index => group.settings.player = model[index]
        Accessible.role: Accessible.ComboBox
        Accessible.name: qsTr("Player")
        delegate: ItemDelegate {
            id: option
            required property string modelData
            required property int index
            objectName: "playerOption"
            width: playerChoice.width
            text: modelData.length > 0 ? modelData : qsTr("Automatic")
            highlighted: playerChoice.highlightedIndex === index
            Accessible.role: Accessible.ListItem
            Accessible.name: text
            contentItem: Text {
                text: option.text
                textFormat: Text.PlainText
                elide: Text.ElideRight
                verticalAlignment: Text.AlignVCenter
                color: option.highlighted ? option.palette.highlightedText : option.palette.text
            }
        }
    }
}
