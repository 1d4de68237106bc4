// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import QtQml.Models
import QtQuick.Templates as T
import Brivane

// The "Now" tab: the current track with its art, a level meter, progress,
// transport buttons, the output volume and where the track comes from; or a
// hint when nothing is known yet.
Item {
    id: panel
    objectName: "mediaPanel"
    required property MediaStore media

    readonly property bool hasTrack: panel.media.title.length > 0
    readonly property color tint: Theme.red
    readonly property color timeColor: Qt.rgba(1, 1, 1, 0.4)

    // The volume slider's edit began or ended: the system volume is set then,
    // not at every position in between.
    signal volumeEditingChanged()
    onVolumeEditingChanged: panel.media.setVolume(panel.media.volume)

    implicitHeight: hasTrack ? trackState.implicitHeight : emptyState.height

    // Nothing known yet.
    Item {
        id: emptyState
        objectName: "emptyState"
        width: parent.width
        height: 250
        visible: !panel.hasTrack

        Column {
            anchors.centerIn: parent
            spacing: 14

            Text {
                anchors.horizontalCenter: parent.horizontalCenter
                text: Symbols.glyph("music.note")
                font.family: Symbols.fontFamily
                font.pixelSize: 36
                font.weight: Font.Light
                color: Qt.rgba(panel.tint.r, panel.tint.g, panel.tint.b, 0.3)
            }
            PlainLabel {
                objectName: "emptyTitle"
                anchors.horizontalCenter: parent.horizontalCenter
                text: qsTr("Nothing Playing")
                font.pixelSize: 15
                font.weight: Font.DemiBold
                color: Qt.rgba(1, 1, 1, 0.3)
            }
            PlainLabel {
                objectName: "emptyHint"
                anchors.horizontalCenter: parent.horizontalCenter
                text: qsTr("Play music in Music, Spotify, or YouTube")
                font.pixelSize: 10
                color: Qt.rgba(1, 1, 1, 0.15)
            }
        }
    }

    Column {
        id: trackState
        objectName: "trackState"
        width: parent.width
        spacing: 20
        visible: panel.hasTrack

        // Art and the info column, 12 below the top.
        Item {
            width: parent.width
            height: 12 + art.height

            Item {
                id: art
                objectName: "albumArt"
                y: 12
                width: 100
                height: 100

                MediaShadow {
                    x: -10
                    y: -6
                    width: 120
                    height: 120
                    cornerRadius: 14
                    blur: 10
                    color: Qt.rgba(0, 0, 0, 0.4)
                    visible: artImage.hasImage
                }
                AlbumArtView {
                    id: artImage
                    objectName: "albumArtImage"
                    anchors.fill: parent
                    radius: 14
                    media: panel.media
                    visible: hasImage
                }
                Rectangle {
                    objectName: "albumArtPlaceholder"
                    anchors.fill: parent
                    visible: !artImage.hasImage
                    radius: 14
                    color: Qt.rgba(panel.tint.r, panel.tint.g, panel.tint.b, 0.15)
                    border.width: 1
                    border.color: Qt.rgba(panel.tint.r, panel.tint.g, panel.tint.b, 0.2)

                    Text {
                        anchors.centerIn: parent
                        text: Symbols.glyph("music.note")
                        font.family: Symbols.fontFamily
                        font.pixelSize: 32
                        font.weight: Font.Light
                        color: Qt.rgba(panel.tint.r, panel.tint.g, panel.tint.b, 0.4)
                    }
                }
            }

            Column {
                id: info
                objectName: "infoColumn"
                anchors.left: art.right
                anchors.leftMargin: 16
                anchors.right: parent.right
                anchors.verticalCenter: art.verticalCenter
                spacing: 3

                PlainLabel {
                    objectName: "mediaTitle"
                    width: parent.width
                    text: MediaFormat.oneLine(panel.media.title)
                    horizontalAlignment: Text.AlignLeft
                    elide: Text.ElideRight
                    maximumLineCount: 1
                    wrapMode: Text.NoWrap
                    font.pixelSize: 16
                    font.bold: true
                    color: "white"
                }
                PlainLabel {
                    objectName: "mediaArtist"
                    width: parent.width
                    text: MediaFormat.oneLine(panel.media.artist)
                    horizontalAlignment: Text.AlignLeft
                    elide: Text.ElideRight
                    maximumLineCount: 1
                    wrapMode: Text.NoWrap
                    font.pixelSize: 12
                    font.weight: Font.DemiBold
                    color: Qt.rgba(1, 1, 1, 0.6)
                }
                PlainLabel {
                    objectName: "mediaAlbum"
                    width: parent.width
                    visible: panel.media.album.length > 0
                    text: MediaFormat.oneLine(panel.media.album)
                    horizontalAlignment: Text.AlignLeft
                    elide: Text.ElideRight
                    maximumLineCount: 1
                    wrapMode: Text.NoWrap
                    font.pixelSize: 10
                    font.weight: Font.Medium
                    color: Qt.rgba(1, 1, 1, 0.3)
                }
                Item { width: 1; height: 4 }

                // Moving bars while playing, still dots otherwise. The meter is
                // made anew each time playback starts, so it starts from phase 0.
                Item {
                    objectName: "meter"
                    width: parent.width
                    height: 20

                    Loader {
                        objectName: "waveLoader"
                        anchors.left: parent.left
                        anchors.verticalCenter: parent.verticalCenter
                        active: panel.media.isPlaying
                        sourceComponent: WaveView {
                            objectName: "waveView"
                            color: panel.tint
                            barCount: 20
                            height: 20
                        }
                    }
                    Row {
                        objectName: "stillDots"
                        anchors.left: parent.left
                        anchors.verticalCenter: parent.verticalCenter
                        spacing: 2
                        visible: !panel.media.isPlaying

                        Repeater {
                            model: 20
                            Rectangle {
                                width: 3
                                height: 3
                                radius: 1
                                color: Qt.rgba(panel.tint.r, panel.tint.g, panel.tint.b, 0.15)
                            }
                        }
                    }
                }
            }
        }

        // Progress bar and time row, only for tracks of known length.
        Column {
            id: progress
            objectName: "progress"
            x: 16
            width: parent.width - 32
            spacing: 6
            visible: MediaFormat.hasProgress(panel.media.duration)

            Item {
                objectName: "progressBar"
                width: parent.width
                height: 4

                Rectangle {
                    width: parent.width
                    height: 4
                    radius: 2
                    color: Qt.rgba(1, 1, 1, 0.12)
                }
                Rectangle {
                    objectName: "progressFill"
                    width: parent.width * MediaFormat.progressFraction(panel.media.elapsed, panel.media.duration)
                    height: 4
                    radius: 2
                    color: panel.tint
                }
            }

            Item {
                width: parent.width
                height: elapsedText.implicitHeight

                PlainLabel {
                    id: elapsedText
                    objectName: "elapsedText"
                    Accessible.name: qsTr("Elapsed %1").arg(text)
                    anchors.left: parent.left
                    text: MediaFormat.formatTime(panel.media.elapsed)
                    font.family: Theme.monospaceFamily
                    font.pixelSize: 9
                    font.bold: true
                    color: panel.timeColor
                }
                PlainLabel {
                    objectName: "remainingText"
                    Accessible.name: qsTr("Remaining %1").arg(text.replace("-", ""))
                    anchors.right: parent.right
                    text: MediaFormat.remainingTime(panel.media.elapsed, panel.media.duration)
                    font.family: Theme.monospaceFamily
                    font.pixelSize: 9
                    font.bold: true
                    color: panel.timeColor
                }
            }

            // Between polls the clock carries the position on; this only
            // shows it again each second.
            Timer {
                objectName: "progressTimer"
                interval: 1000
                repeat: true
                running: progress.visible && panel.media.isPlaying
                onTriggered: panel.media.showElapsed()
            }
        }

        // Transport.
        Item {
            width: parent.width
            height: 4 + playPause.height

            Row {
                y: 4
                anchors.horizontalCenter: parent.horizontalCenter
                spacing: 36

                GlyphButton {
                    objectName: "previousButton"
                    anchors.verticalCenter: parent.verticalCenter
                    text: qsTr("Previous track")
                    width: 32
                    height: 32
                    symbol: "backward.end.fill"
                    glyphSize: 22
                    glyphColor: Qt.rgba(1, 1, 1, 0.7)
                    onClicked: panel.media.previousTrack()
                }
                PlainButton {
                    id: playPause
                    objectName: "playPauseButton"
                    width: 58
                    height: 58
                    padding: 0
                    text: panel.media.isPlaying ? qsTr("Pause") : qsTr("Play")
                    onClicked: panel.media.togglePlayPause()

                    background: Item {
                        MediaShadow {
                            x: -12
                            y: -8
                            width: 82
                            height: 82
                            cornerRadius: 29
                            blur: 12
                            color: Qt.rgba(panel.tint.r, panel.tint.g, panel.tint.b, 0.5)
                        }
                        Rectangle {
                            anchors.fill: parent
                            radius: 29
                            color: panel.tint
                            opacity: playPause.pressed ? 0.8 : 1
                        }
                    }
                    contentItem: Text {
                        objectName: "playPauseGlyph"
                        text: Symbols.glyph(panel.media.isPlaying ? "pause.fill" : "play.fill")
                        font.family: Symbols.fontFamily
                        font.pixelSize: 24
                        font.bold: true
                        color: "white"
                        horizontalAlignment: Text.AlignHCenter
                        verticalAlignment: Text.AlignVCenter
                    }
                }
                GlyphButton {
                    objectName: "nextButton"
                    anchors.verticalCenter: parent.verticalCenter
                    text: qsTr("Next track")
                    width: 32
                    height: 32
                    symbol: "forward.end.fill"
                    glyphSize: 22
                    glyphColor: Qt.rgba(1, 1, 1, 0.7)
                    onClicked: panel.media.nextTrack()
                }
            }
        }

        // Output volume.
        Item {
            x: 20
            width: parent.width - 40
            height: volumeSlider.implicitHeight

            Text {
                id: speakerLow
                anchors.left: parent.left
                anchors.verticalCenter: parent.verticalCenter
                text: Symbols.glyph("speaker.fill")
                font.family: Symbols.fontFamily
                font.pixelSize: 10
                font.weight: Font.DemiBold
                color: Qt.rgba(1, 1, 1, 0.4)
            }
            T.Slider {
                id: volumeSlider
                objectName: "volumeSlider"
                anchors.left: speakerLow.right
                anchors.leftMargin: 10
                anchors.right: speakerHigh.left
                anchors.rightMargin: 10
                anchors.verticalCenter: parent.verticalCenter
                from: 0
                to: 1
                stepSize: 0
                implicitHeight: Math.max(implicitBackgroundHeight, implicitHandleHeight) + topPadding + bottomPadding
                padding: 6
                focusPolicy: Qt.TabFocus
                value: panel.media.volume
                Accessible.role: Accessible.Slider
                Accessible.name: qsTr("Volume")
                onMoved: panel.media.moveVolume(value)
                onPressedChanged: panel.volumeEditingChanged()

                background: Item {
                    x: volumeSlider.leftPadding
                    y: volumeSlider.topPadding + (volumeSlider.availableHeight - height) / 2
                    implicitWidth: 200
                    implicitHeight: 4
                    width: volumeSlider.availableWidth
                    height: 4

                    Rectangle {
                        anchors.fill: parent
                        radius: 2
                        color: Qt.rgba(1, 1, 1, 0.12)
                    }
                    Rectangle {
                        width: volumeSlider.visualPosition * parent.width
                        height: parent.height
                        radius: 2
                        color: panel.tint
                    }
                }
                handle: Rectangle {
                    x: volumeSlider.leftPadding + volumeSlider.visualPosition * (volumeSlider.availableWidth - width)
                    y: volumeSlider.topPadding + (volumeSlider.availableHeight - height) / 2
                    implicitWidth: 14
                    implicitHeight: 14
                    radius: 7
                    color: volumeSlider.pressed ? "#e6e6e6" : "white"
                }
            }
            Text {
                id: speakerHigh
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                text: Symbols.glyph("speaker.wave.3.fill")
                font.family: Symbols.fontFamily
                font.pixelSize: 10
                font.weight: Font.DemiBold
                color: Qt.rgba(1, 1, 1, 0.4)
            }
        }

        // Where the track comes from; with more than one player about, it
        // opens the choice of which one to show.
        PlainButton {
            id: source
            objectName: "sourceLabel"
            x: (parent.width - width) / 2
            width: Math.min(implicitWidth, parent.width)
            padding: 2
            text: MediaFormat.oneLine(panel.media.appName)
            enabled: panel.media.players.length > 1
            hoverEnabled: true
            Accessible.role: enabled ? Accessible.ButtonMenu : Accessible.StaticText
            Accessible.description: enabled ? qsTr("Choose the player") : ""
            onClicked: playerMenu.open()

            contentItem: Text {
                text: source.enabled ? source.text + " \u25be" : source.text
                textFormat: Text.PlainText
                horizontalAlignment: Text.AlignHCenter
                elide: Text.ElideRight
                maximumLineCount: 1
                wrapMode: Text.NoWrap
                font.pixelSize: 9
                font.bold: true
                color: Qt.rgba(1, 1, 1, source.enabled && source.hovered ? 0.5 : 0.25)
            }
            background: FocusRing { shown: source.visualFocus }

            // Opens above the label, so it stays on the card.
            T.Menu {
                id: playerMenu
                objectName: "playerMenu"
                width: 200
                implicitHeight: contentHeight + topPadding + bottomPadding
                x: (source.width - width) / 2
                y: -height - 4
                padding: 4
                margins: 0
                contentItem: ListView {
                    implicitHeight: contentHeight
                    model: playerMenu.contentModel
                    interactive: false
                    clip: true
                    currentIndex: playerMenu.currentIndex
                }
                background: Rectangle {
                    radius: 10
                    color: Theme.card
                    border.width: 1
                    border.color: Qt.rgba(1, 1, 1, 0.15)
                }

                Instantiator {
                    model: [""].concat(panel.media.playerChoices)
                    delegate: T.MenuItem {
                        id: choice
                        required property string modelData
                        readonly property bool current: panel.media.preferredPlayer === modelData
                        objectName: "playerMenuItem"
                        text: modelData.length > 0 ? modelData : qsTr("Automatic")
                        implicitWidth: implicitContentWidth + leftPadding + rightPadding
                        height: 26
                        padding: 6
                        Accessible.role: Accessible.MenuItem
                        Accessible.name: text
                        Accessible.checkable: true
                        Accessible.checked: current
                        onTriggered: panel.media.preferredPlayer = modelData
                        contentItem: Text {
                            text: choice.text
                            textFormat: Text.PlainText
                            elide: Text.ElideRight
                            verticalAlignment: Text.AlignVCenter
                            font.pixelSize: 11
                            font.bold: choice.current
                            color: choice.current ? panel.tint : Theme.white
                        }
                        background: Rectangle {
                            radius: 6
                            color: choice.highlighted ? Qt.rgba(1, 1, 1, 0.1) : "transparent"
                        }
                    }
                    onObjectAdded: (index, object) => playerMenu.insertItem(index, object)
                    onObjectRemoved: (index, object) => playerMenu.removeItem(object)
                }
            }
        }
    }
}
