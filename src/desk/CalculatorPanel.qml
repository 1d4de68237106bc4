// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import Brivane

// The "Calc" tab: a display line above a grid of 20 keys. Its store lives and
// dies with the panel.
Item {
    id: root
    objectName: "calculatorPanel"

    // This panel's own calculator, for tests and tools.
    readonly property CalculatorStore calc: calculator

    implicitWidth: 340
    implicitHeight: column.implicitHeight

    CalculatorStore {
        id: calculator
        objectName: "calculatorStore"
    }

    Column {
        id: column
        width: parent.width
        spacing: 5

        Item {
            width: parent.width
            height: display.height + 6
            PlainLabel {
                id: display
                objectName: "calculatorDisplay"
                x: 8
                width: parent.width - 16
                height: 36
                text: calculator.display
                textFormat: Text.PlainText
                font.pixelSize: 28
                font.weight: Font.ExtraBold
                color: Theme.white
                // A long number shrinks to half size before it is cut.
                fontSizeMode: Text.HorizontalFit
                minimumPixelSize: 14
                elide: Text.ElideRight
                verticalAlignment: Text.AlignBottom
                maximumLineCount: 1
            }
        }

        Grid {
            id: grid
            width: parent.width
            columns: 4
            spacing: 5

            Repeater {
                model: calculator.keys
                delegate: PlainButton {
                    id: key
                    required property var modelData
                    objectName: modelData.name
                    width: (grid.width - 3 * grid.spacing) / 4
                    height: 34
                    padding: 0
                    text: modelData.key
                    onClicked: calculator.press(key.modelData.key)

                    background: Rectangle {
                        radius: 8
                        color: key.modelData.fill
                        border.width: 1
                        border.color: key.modelData.border
                        FocusRing { shown: key.visualFocus }

                        Rectangle {
                            anchors.fill: parent
                            radius: parent.radius
                            color: Qt.rgba(1, 1, 1, 0.12)
                            visible: key.pressed
                        }
                    }
                    contentItem: Text {
                        text: key.modelData.key
                        textFormat: Text.PlainText
                        font.pixelSize: 15
                        font.bold: true
                        color: key.modelData.label
                        horizontalAlignment: Text.AlignHCenter
                        verticalAlignment: Text.AlignVCenter
                    }
                }
            }
        }
    }
}
