// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import QtQuick.Templates as T
import Brivane

// The "Timer" tab: a stopwatch and a countdown, shown from the shared store.
Item {
    id: root
    objectName: "timerPanel"

    required property TimerStore timer
    // The count shown, for tests and tools.
    readonly property TimerStore store: timer

    implicitWidth: 340
    implicitHeight: column.implicitHeight

    // Unless the strip shows it, a count nobody sees ends with this panel.
    Component.onCompleted: timer.hold()
    Component.onDestruction: timer.release()

    // A choice among several: a radio button to assistive technology, whose
    // checked state follows the store (a click only asks the store).
    component Chip: T.RadioButton {
        id: chip
        property string label
        property bool selected
        property bool bordered: true
        property real radius: 8
        signal activated()

        horizontalPadding: 14
        verticalPadding: 6
        focusPolicy: Qt.TabFocus
        checkable: false
        autoExclusive: false
        checked: selected
        indicator: null
        text: label
        implicitWidth: chipText.implicitWidth + 2 * horizontalPadding
        implicitHeight: chipText.implicitHeight + 2 * verticalPadding
        Accessible.role: Accessible.RadioButton
        Accessible.name: label
        Accessible.onPressAction: chip.activated()
        onClicked: chip.activated()

        background: RowCard {
            radius: chip.radius
            tint: Theme.orange
            fillOpacity: chip.selected ? 0.25 : 0.08
            borderOpacity: chip.selected ? 0.5 : 0.15
            border.width: chip.bordered ? 1 : 0
            FocusRing { shown: chip.visualFocus }
        }
        contentItem: Text {
            id: chipText
            text: chip.label
            textFormat: Text.PlainText
            font.pixelSize: 10
            font.bold: true
            color: chip.selected ? Theme.orange : Qt.rgba(1, 1, 1, 0.4)
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
        }
    }

    component RoundButton: PlainButton {
        id: button
        property string symbol
        property string name
        signal activated()

        padding: 0
        text: name
        implicitWidth: 36
        implicitHeight: 36
        onClicked: button.activated()

        background: Rectangle {
            radius: width / 2
            color: Qt.rgba(1, 1, 1, button.pressed ? 0.16 : 0.08)
            border.width: 1
            border.color: Qt.rgba(1, 1, 1, 0.15)
            FocusRing { shown: button.visualFocus; radius: width / 2 }
        }
        contentItem: Text {
            text: Symbols.glyph(button.symbol)
            font.family: Symbols.fontFamily
            font.pixelSize: 16
            font.weight: Font.DemiBold
            color: Qt.rgba(1, 1, 1, 0.6)
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
        }
    }

    Column {
        id: column
        width: parent.width
        spacing: 12

        PlainLabel {
            objectName: "timerDisplay"
            anchors.horizontalCenter: parent.horizontalCenter
            text: timer.display
            font.pixelSize: 44
            font.weight: Font.ExtraBold
            color: timer.isRunning ? Theme.orange : Theme.white
        }

        Row {
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: 10
            Chip {
                objectName: "modeStopwatch"
                label: qsTr("Stopwatch", "timer mode")
                selected: timer.isStopwatch
                onActivated: timer.chooseStopwatch(true)
            }
            Chip {
                objectName: "modeCountdown"
                label: qsTr("Countdown", "timer mode")
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

            PlainButton {
                id: playButton
                objectName: "timerPlayPause"
                width: 52
                height: 52
                padding: 0
                text: timer.isRunning ? qsTr("Pause") : qsTr("Start")
                onClicked: timer.toggleRunning()

                background: Item {
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
                        color: playButton.pressed ? Qt.darker(Theme.orange, 1.15) : Theme.orange
                        FocusRing { shown: playButton.visualFocus; radius: width / 2 }
                    }
                }
                contentItem: Text {
                    text: Symbols.glyph(timer.isRunning ? "pause.fill" : "play.fill")
                    font.family: Symbols.fontFamily
                    font.pixelSize: 18
                    color: Theme.white
                    horizontalAlignment: Text.AlignHCenter
                    verticalAlignment: Text.AlignVCenter
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
