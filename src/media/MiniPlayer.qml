// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import Brivane

// One line above the tab content while a track is known: what plays and the
// three transport buttons. 36 high in all, the difference between the two
// heights of the tab content.
Item {
    id: mini
    objectName: "miniPlayer"
    required property MediaStore media

    readonly property color tint: Theme.red
    implicitHeight: 36

    RowCard {
        objectName: "miniPlayerStrip"
        x: 16
        width: parent.width - 32
        height: 30
        radius: 10
        tint: mini.tint
        fillOpacity: 0.15
        borderOpacity: 0.3

        Item {
            id: content
            anchors.fill: parent
            anchors.leftMargin: 14
            anchors.rightMargin: 14
            anchors.topMargin: 7
            anchors.bottomMargin: 7

            Text {
                id: note
                anchors.left: parent.left
                anchors.verticalCenter: parent.verticalCenter
                text: Symbols.glyph("music.note")
                font.family: Symbols.fontFamily
                font.pixelSize: 10
                font.bold: true
                color: mini.tint
            }

            PlainLabel {
                objectName: "miniPlayerText"
                anchors.left: note.right
                anchors.leftMargin: 10
                anchors.right: buttons.left
                anchors.rightMargin: 10
                anchors.verticalCenter: parent.verticalCenter
                text: MediaFormat.miniPlayerText(mini.media.artist, mini.media.title)
                horizontalAlignment: Text.AlignLeft
                elide: Text.ElideRight
                maximumLineCount: 1
                wrapMode: Text.NoWrap
                font.pixelSize: 10
                font.weight: Font.Medium
                color: Qt.rgba(1, 1, 1, 0.8)
            }

            Row {
                id: buttons
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                spacing: 10

                GlyphButton {
                    objectName: "miniPrevious"
                    text: qsTr("Previous track")
                    width: 16
                    height: 16
                    symbol: "backward.end.fill"
                    glyphSize: 9
                    glyphWeight: Font.Bold
                    glyphColor: Qt.rgba(1, 1, 1, 0.6)
                    onClicked: mini.media.previousTrack()
                }
                GlyphButton {
                    objectName: "miniPlayPause"
                    text: mini.media.isPlaying ? qsTr("Pause") : qsTr("Play")
                    width: 16
                    height: 16
                    symbol: mini.media.isPlaying ? "pause.fill" : "play.fill"
                    glyphSize: 11
                    glyphWeight: Font.Bold
                    glyphColor: mini.tint
                    onClicked: mini.media.togglePlayPause()
                }
                GlyphButton {
                    objectName: "miniNext"
                    text: qsTr("Next track")
                    width: 16
                    height: 16
                    symbol: "forward.end.fill"
                    glyphSize: 9
                    glyphWeight: Font.Bold
                    glyphColor: Qt.rgba(1, 1, 1, 0.6)
                    onClicked: mini.media.nextTrack()
                }
            }
        }
    }
}
