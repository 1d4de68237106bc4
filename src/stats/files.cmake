list(APPEND BRIVANE_QML
    stats/StatsPanel.qml
)
