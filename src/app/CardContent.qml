// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import Brivane

// What the card shows: the mini player while a track is known, the selected
// tab's panel, and the tab bar. Built at the first expansion.
Item {
    id: content

    required property NotchRootView root
    required property TabModel tabModel

    // Panels are files loaded when first shown, so neither they nor the
    // controls they import cost anything before. Each gets the shared store
    // its tab names, if any.
    function showPanel() {
        const tab = content.root.selectedTab
        if (!content.root.isExpanded || tab < 0 || tab >= content.tabModel.rowCount()) {
            panelLoader.source = ""
            return
        }
        const store = content.tabModel.storeAt(tab)
        const properties = {}
        if (store.length > 0)
            properties[store] = content.root[store]
        panelLoader.setSource(Qt.resolvedUrl("../" + content.tabModel.panelAt(tab)), properties)
    }
    Connections {
        target: content.root
        function onIsExpandedChanged() { content.showPanel() }
        function onSelectedTabChanged() { content.showPanel() }
    }
    Component.onCompleted: showPanel()

    Column {
        id: stack
        width: parent.width
        anchors.verticalCenter: parent.verticalCenter
        spacing: 0

        Item { width: 1; height: 10 }

        Loader {
            id: miniPlayer
            objectName: "miniPlayerLoader"
            width: parent.width
            active: content.root.isExpanded && content.root.hasTrack
            visible: active
            Component.onCompleted: setSource(Qt.resolvedUrl("../media/MiniPlayer.qml"), { media: content.root.media })
        }

        Flickable {
            id: scroll
            objectName: "tabContent"
            width: parent.width
            height: content.root.scrollViewHeight
            clip: true
            contentWidth: width
            contentHeight: panelLoader.height + 10
            boundsBehavior: Flickable.StopAtBounds
            Accessible.role: Accessible.Pane
            Accessible.name: content.tabModel.labelAt(content.root.selectedTab)

            Loader {
                id: panelLoader
                objectName: "panelLoader"
                x: 20
                width: scroll.width - 40
                // Opened from the keyboard, typing goes to the panel's first
                // control, unless the tab bar has the keys.
                onLoaded: {
                    if (!content.root.keyboardOpened || tabBar.activeFocus)
                        return
                    const first = item.nextItemInFocusChain(true)
                    if (first && first !== tabBar)
                        first.forceActiveFocus(Qt.TabFocusReason)
                    else
                        tabBar.forceActiveFocus(Qt.TabFocusReason)
                }
            }
        }

        Rectangle {
            objectName: "divider"
            x: 20
            width: parent.width - 40
            height: 1
            color: Qt.rgba(1, 1, 1, 0.06)
        }

        TabBar {
            id: tabBar
            objectName: "tabBar"
            width: parent.width
            model: content.tabModel
            selectedTab: content.root.selectedTab
            onTabClicked: index => content.root.selectedTab = index
        }
    }
}
