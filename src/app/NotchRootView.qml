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

    property int selectedTab: 0
    readonly property bool isExpanded: observer.expanded
    readonly property bool hasTrack: root.media !== null && root.media.title.length > 0
    readonly property int scrollViewHeight: hasTrack ? 364 : 400

    // One panel per tab, in tab order.
    readonly property list<Component> panels: [mediaPanel, notesPanel, timerPanel, calculatorPanel,
        clipboardPanel, aiPanel, statsPanel]

    ExpansionObserver { id: observer }
    TabModel { id: tabModel }

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
                active: root.isExpanded && root.hasTrack
                visible: active
                sourceComponent: MiniPlayer { media: root.media }
            }

            Flickable {
                id: scroll
                objectName: "tabContent"
                width: parent.width
                height: root.scrollViewHeight
                clip: true
                contentWidth: width
                contentHeight: panelLoader.height + 10
                boundsBehavior: Flickable.StopAtBounds
                Accessible.role: Accessible.ScrollBar

                Loader {
                    id: panelLoader
                    objectName: "panelLoader"
                    x: 20
                    width: scroll.width - 40
                    active: root.isExpanded
                    sourceComponent: root.selectedTab >= 0 && root.selectedTab < root.panels.length
                                     ? root.panels[root.selectedTab] : null
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
                objectName: "tabBar"
                width: parent.width
                model: tabModel
                selectedTab: root.selectedTab
                onTabClicked: index => root.selectedTab = index
            }
        }
    }

    Component { id: mediaPanel; MediaPanel { media: root.media } }
    Component { id: notesPanel; NotesPanel { notes: root.notes } }
    Component { id: timerPanel; TimerPanel {} }
    Component { id: calculatorPanel; CalculatorPanel {} }
    Component { id: clipboardPanel; ClipboardPanel { clipboard: root.clipboard } }
    Component { id: aiPanel; AIPanel { ai: root.ai } }
    Component { id: statsPanel; StatsPanel {} }
}
