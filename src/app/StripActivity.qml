// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import Brivane

// What goes on, drawn at the two ends of the collapsed strip: what plays at
// the left end; the meter, or a countdown's time left, at the right. The
// centre of the top edge stays clear. Nothing here takes input: the strip
// around it opens the card as before.
Item {
    id: strip
    objectName: "stripActivity"

    required property MediaStore media
    required property TimerStore timer

    // The store keeps the last track shown; the strip shows one only while
    // its player is there.
    readonly property bool hasTrack: strip.media.title.length > 0 && strip.media.players.length > 0
    readonly property bool counting: (strip.timer.isRunning && !strip.timer.isStopwatch) || strip.timer.justEnded
    // The drawn rectangles, in the strip, for the window's shape.
    readonly property var parts: {
        const parts = []
        for (const pill of [artPill, statusPill]) {
            if (pill.visible)
                parts.push(Qt.rect(pill.x, pill.y, pill.width, pill.height))
        }
        return parts
    }

    width: 380
    height: 32

    component Pill: Rectangle {
        y: 2
        height: 28
        radius: 14
        color: Theme.card
        border.width: 1
        border.color: Qt.rgba(1, 1, 1, 0.1)
    }

    Pill {
        id: artPill
        objectName: "stripArt"
        x: 8
        width: 40
        visible: strip.hasTrack
        Accessible.role: Accessible.Graphic
        Accessible.name: strip.media.isPlaying ? qsTr("Playing: %1").arg(strip.media.title)
                                               : qsTr("Paused: %1").arg(strip.media.title)

        AlbumArtView {
            id: art
            anchors.centerIn: parent
            width: 20
            height: 20
            radius: 5
            media: strip.media
            visible: art.hasImage
        }
        Text {
            anchors.centerIn: parent
            visible: !art.hasImage
            text: Symbols.glyph("music.note")
            font.family: Symbols.fontFamily
            font.pixelSize: 15
            color: Theme.white
        }
    }

    Pill {
        id: statusPill
        objectName: "stripStatus"
        x: strip.width - width - 8
        width: 56
        visible: strip.hasTrack || strip.counting

        WaveView {
            objectName: "stripMeter"
            anchors.centerIn: parent
            visible: !strip.counting
            active: strip.media.isPlaying
            tickInterval: 100
            barCount: 7
            height: 14
            color: strip.media.artTint.valid ? strip.media.artTint : Theme.red
        }
        Text {
            objectName: "stripTime"
            anchors.centerIn: parent
            visible: strip.counting
            text: strip.timer.display
            textFormat: Text.PlainText
            font.family: Theme.monospaceFamily
            font.pixelSize: 13
            font.bold: true
            color: strip.timer.justEnded ? Theme.orange : Theme.white
            Accessible.role: Accessible.StaticText
            Accessible.name: qsTr("Time left: %1").arg(text)
        }
    }
}
