// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import Brivane

// The content of the notch panel: clear while collapsed, the card while
// expanded. The selected tab outlives collapsing; a tab's panel exists only
// while the card shows that tab.
Item {
    id: root
    objectName: "notchRootView"

    required property NotesStore notes
    required property ClipboardStore clipboard
    required property AIStore ai
    required property MediaStore media
    required property TimerStore timer
    required property PanelSettings settings
    required property ShelfStore shelf

    // The panel hosting this view; the card opens and closes with it.
    property QtObject panel: null
    // Opened from the keyboard: the panel's first control takes the focus.
    property bool keyboardOpened: false
    property int selectedTab: 0
    readonly property int tabCount: tabModel.count
    readonly property bool isExpanded: root.panel !== null && root.panel.isExpanded
    readonly property bool hasTrack: root.media !== null && root.media.title.length > 0
    readonly property int scrollViewHeight: hasTrack ? 364 : 400

    TabModel {
        id: tabModel
        shelfShown: root.shelf !== null && root.shelf.shown
    }
    // The Shelf's tab goes once the shelf is empty; its place falls back to
    // the first tab.
    onTabCountChanged: if (selectedTab >= tabCount) selectedTab = 0

    // Set at the first expansion: the card's content is built then, not at
    // start, and kept for later expansions.
    property bool cardBuilt: false
    onIsExpandedChanged: {
        if (isExpanded)
            cardBuilt = true
        else
            keyboardOpened = false
    }

    // The strip's live activity, only while it is asked for and the card
    // is closed; otherwise the strip draws nothing.
    Loader {
        id: activity
        objectName: "stripActivityLoader"
        active: root.settings !== null && root.settings.showActivity && !root.isExpanded
        sourceComponent: StripActivity {
            media: root.media
            timer: root.timer
        }
    }
    Binding {
        target: root.panel
        property: "stripParts"
        value: activity.item ? activity.item.parts : []
        when: root.panel !== null
    }

    Rectangle {
        id: card
        objectName: "card"
        anchors.fill: parent
        radius: 28
        color: Theme.card
        border.width: 1
        border.color: Qt.rgba(1, 1, 1, 0.1)
        opacity: root.isExpanded ? 1 : 0
        visible: root.isExpanded || opacity > 0
        Behavior on opacity {
            NumberAnimation { duration: Theme.expandSpringMs; easing.type: Easing.OutCubic }
        }
        Accessible.role: Accessible.Pane
        Accessible.name: qsTr("Brivane")

        Loader {
            objectName: "cardContentLoader"
            anchors.fill: parent
            active: root.cardBuilt
            Component.onCompleted: setSource(Qt.resolvedUrl("CardContent.qml"), {
                root: root,
                tabModel: tabModel
            })
        }
    }
}
