// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import QtQuick.Layouts
import Brivane

// The AI tab: the conversation (or a notice while the default server has no
// key), a busy line with Stop while a reply is read, and the question field.
Item {
    id: panel
    objectName: "aiPanel"

    required property AIStore ai

    implicitHeight: column.implicitHeight
    Component.onCompleted: panel.ai.lookUpKeyring()

    function ask() {
        if (panel.ai.ask(input.text))
            input.text = ""
    }

    Column {
        id: column
        width: parent.width
        spacing: 8

        Item {
            objectName: "keyNotice"
            visible: panel.ai.needsKey
            width: parent.width
            height: 80

            Column {
                anchors.centerIn: parent
                spacing: 8

                Text {
                    anchors.horizontalCenter: parent.horizontalCenter
                    text: Symbols.glyph("key.fill")
                    font.family: Symbols.fontFamily
                    font.pixelSize: 22
                    font.weight: Font.DemiBold
                    color: Theme.pink
                }
                PlainLabel {
                    objectName: "keyNoticeText"
                    anchors.horizontalCenter: parent.horizontalCenter
                    text: qsTr("Add your OpenAI API key in Settings")
                    font.pixelSize: 11
                    font.weight: Font.Medium
                    color: Qt.rgba(1, 1, 1, 0.5)
                }
            }
        }

        ListView {
            id: conversation
            objectName: "conversationList"
            visible: !panel.ai.needsKey
            width: parent.width
            height: 260
            clip: true
            spacing: 6
            boundsBehavior: Flickable.StopAtBounds
            model: panel.ai.visibleMessages
            Accessible.role: Accessible.List
            Accessible.name: qsTr("Conversation")

            // A new message (not a growing reply) brings the last row into view.
            onCountChanged: positionViewAtIndex(count - 1, ListView.End)

            delegate: RowCard {
                id: bubble

                required property int index
                required property string text
                required property bool isUser

                objectName: "bubble_" + index
                width: ListView.view.width
                height: Math.max(icon.height, body.height) + 16
                tint: isUser ? Theme.cyan : Theme.pink
                fillOpacity: isUser ? 0.12 : 0.10
                borderOpacity: isUser ? 0.25 : 0.20
                Accessible.role: Accessible.ListItem
                Accessible.name: (isUser ? qsTr("You: %1") : qsTr("Answer: %1")).arg(text)

                // Anchors rather than a layout: the row's height must be
                // right at once, so scrolling to it lands at its bottom.
                Text {
                    id: icon
                    x: 10
                    y: 8
                    text: Symbols.glyph(bubble.isUser ? "person.fill" : "sparkles")
                    font.family: Symbols.fontFamily
                    font.pixelSize: 11
                    font.bold: true
                    color: bubble.tint
                }

                TextEdit {
                    id: body
                    objectName: "bubbleText"
                    anchors.left: icon.right
                    anchors.leftMargin: 8
                    anchors.right: parent.right
                    anchors.rightMargin: 10
                    y: 8
                    // At most eight lines: the height of the same text laid
                    // out with a line limit.
                    height: Math.min(implicitHeight, eightLines.implicitHeight)
                    clip: true
                    text: bubble.text
                    textFormat: TextEdit.PlainText
                    wrapMode: TextEdit.Wrap
                    readOnly: true
                    selectByMouse: true
                    activeFocusOnPress: false
                    color: Theme.white
                    selectionColor: Qt.rgba(Theme.pink.r, Theme.pink.g, Theme.pink.b, 0.5)
                    font.pixelSize: 11
                    font.weight: Font.Medium
                    Accessible.role: Accessible.StaticText
                    Accessible.name: text
                }

                Text {
                    id: eightLines
                    visible: false
                    width: body.width
                    text: bubble.text
                    textFormat: Text.PlainText
                    wrapMode: Text.Wrap
                    maximumLineCount: 8
                    font: body.font
                }
            }
        }

        Row {
            objectName: "busyLine"
            visible: panel.ai.isLoading
            spacing: 6

            // A dot circling a faint ring while the answer is written.
            Item {
                objectName: "busyIndicator"
                width: 14
                height: 14
                anchors.verticalCenter: parent.verticalCenter
                Accessible.role: Accessible.Animation
                Accessible.name: qsTr("Thinking", "the answer is being written")

                Rectangle {
                    anchors.fill: parent
                    radius: width / 2
                    color: "transparent"
                    border.width: 2
                    border.color: Qt.rgba(Theme.pink.r, Theme.pink.g, Theme.pink.b, 0.25)
                }
                Item {
                    anchors.fill: parent
                    RotationAnimator on rotation {
                        from: 0
                        to: 360
                        duration: 900
                        loops: Animation.Infinite
                        running: panel.ai.isLoading
                    }
                    Rectangle {
                        x: (parent.width - width) / 2
                        width: 4
                        height: 4
                        radius: 2
                        color: Theme.pink
                    }
                }
            }
            PlainLabel {
                objectName: "busyText"
                anchors.verticalCenter: parent.verticalCenter
                text: qsTr("Thinking...")
                font.pixelSize: 10
                font.weight: Font.DemiBold
                color: Qt.rgba(Theme.pink.r, Theme.pink.g, Theme.pink.b, 0.7)
            }
            GlyphButton {
                objectName: "stopButton"
                anchors.verticalCenter: parent.verticalCenter
                text: qsTr("Stop")
                symbol: "xmark.circle.fill"
                glyphSize: 14
                glyphColor: Theme.pink
                onClicked: panel.ai.stop()
            }
        }

        RowLayout {
            width: parent.width
            spacing: 6

            TintedField {
                id: input
                objectName: "questionField"
                Layout.fillWidth: true
                tint: Theme.pink
                fillOpacity: 0.10
                borderOpacity: 0.25
                selectionOpacity: 0.5
                placeholderText: qsTr("Ask anything...")
                onAccepted: panel.ask()
                Accessible.name: qsTr("Question", "the chat input field")
            }

            GlyphButton {
                objectName: "sendButton"
                text: qsTr("Send", "sends the question")
                symbol: "arrow.up.circle.fill"
                glyphSize: 20
                glyphWeight: Font.Bold
                glyphColor: Theme.pink
                onClicked: panel.ask()
            }
        }
    }
}
