import QtQuick
import Brivane

// The "Timer" tab: a stopwatch and a countdown. Its store lives and dies with
// the panel, so a count left running ends silently when the tab goes.
Item {
    id: root
    objectName: "timerPanel"

    // This panel's own count, for tests and tools.
    readonly property TimerStore store: timer

    implicitWidth: 340
    implicitHeight: column.implicitHeight

    TimerStore {
        id: timer
        objectName: "timerStore"
    }

    component Chip: Rectangle {
        id: chip
        property string label
        property bool selected
        property real horizontalPadding: 14
        property real verticalPadding: 6
        property bool bordered: true
        signal activated()

        implicitWidth: chipText.implicitWidth + 2 * horizontalPadding
        implicitHeight: chipText.implicitHeight + 2 * verticalPadding
        radius: 8
        color: Qt.rgba(Theme.orange.r, Theme.orange.g, Theme.orange.b, selected ? 0.25 : 0.08)
        border.width: bordered ? 1 : 0
        border.color: Qt.rgba(Theme.orange.r, Theme.orange.g, Theme.orange.b, selected ? 0.5 : 0.15)
        Accessible.role: Accessible.RadioButton
        Accessible.name: label
        Accessible.checkable: true
        Accessible.checked: selected
        Accessible.onPressAction: chip.activated()

        Text {
            id: chipText
            anchors.centerIn: parent
            text: chip.label
            textFormat: Text.PlainText
            font.pixelSize: 10
            font.bold: true
            color: chip.selected ? Theme.orange : Qt.rgba(1, 1, 1, 0.4)
        }
        MouseArea {
            anchors.fill: parent
            onClicked: chip.activated()
        }
    }

    component RoundButton: Item {
        id: button
        property string symbol
        property string name
        signal activated()

        implicitWidth: 36
        implicitHeight: 36
        Accessible.role: Accessible.Button
        Accessible.name: name
        Accessible.onPressAction: button.activated()

        Rectangle {
            anchors.fill: parent
            radius: width / 2
            color: Qt.rgba(1, 1, 1, area.pressed ? 0.16 : 0.08)
            border.width: 1
            border.color: Qt.rgba(1, 1, 1, 0.15)
        }
        Text {
            anchors.centerIn: parent
            text: Symbols.glyph(button.symbol)
            font.family: Symbols.fontFamily
            font.pixelSize: 16
            font.weight: Font.DemiBold
            color: Qt.rgba(1, 1, 1, 0.6)
        }
        MouseArea {
            id: area
            anchors.fill: parent
            onClicked: button.activated()
        }
    }

    Column {
        id: column
        width: parent.width
        spacing: 12

        Text {
            objectName: "timerDisplay"
            anchors.horizontalCenter: parent.horizontalCenter
            text: timer.display
            textFormat: Text.PlainText
            font.pixelSize: 44
            font.weight: Font.ExtraBold
            color: timer.isRunning ? Theme.orange : Theme.white
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }

        Row {
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: 10
            Chip {
                objectName: "modeStopwatch"
                label: "Stopwatch"
                selected: timer.isStopwatch
                onActivated: timer.chooseStopwatch(true)
            }
            Chip {
                objectName: "modeCountdown"
                label: "Countdown"
                selected: !timer.isStopwatch
                onActivated: timer.chooseStopwatch(false)
            }
        }

        Row {
            objectName: "countdownLengths"
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: 6
            visible: !timer.isStopwatch
            Repeater {
                model: timer.countdownLengths
                delegate: Chip {
                    required property var modelData
                    objectName: "length_" + modelData.label
                    label: modelData.label
                    selected: modelData.seconds === timer.countdownTotal
                    horizontalPadding: 8
                    verticalPadding: 4
                    radius: 6
                    bordered: false
                    onActivated: timer.chooseCountdownLength(modelData.seconds)
                }
            }
        }

        Row {
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: 16

            RoundButton {
                objectName: "timerReset"
                anchors.verticalCenter: parent.verticalCenter
                symbol: "arrow.counterclockwise"
                name: qsTr("Reset")
                onActivated: timer.reset()
            }

            Item {
                id: playButton
                objectName: "timerPlayPause"
                width: 52
                height: 52
                Accessible.role: Accessible.Button
                Accessible.name: timer.isRunning ? qsTr("Pause") : qsTr("Start")
                Accessible.onPressAction: timer.toggleRunning()

                // A soft shadow 4 down, drawn with fading rings (no effects).
                Repeater {
                    model: 4
                    delegate: Rectangle {
                        required property int index
                        readonly property real spread: 2 + index * 2
                        x: -spread
                        y: 4 - spread
                        width: playButton.width + 2 * spread
                        height: width
                        radius: width / 2
                        color: Qt.rgba(Theme.orange.r, Theme.orange.g, Theme.orange.b, 0.1)
                    }
                }
                Rectangle {
                    anchors.fill: parent
                    radius: width / 2
                    color: playArea.pressed ? Qt.darker(Theme.orange, 1.15) : Theme.orange
                }
                Text {
                    anchors.centerIn: parent
                    text: Symbols.glyph(timer.isRunning ? "pause.fill" : "play.fill")
                    font.family: Symbols.fontFamily
                    font.pixelSize: 18
                    color: Theme.white
                }
                MouseArea {
                    id: playArea
                    anchors.fill: parent
                    onClicked: timer.toggleRunning()
                }
            }

            RoundButton {
                objectName: "timerSkip"
                anchors.verticalCenter: parent.verticalCenter
                symbol: "forward.fill"
                name: qsTr("Skip 10 seconds")
                onActivated: timer.skip()
            }
        }
    }
}
