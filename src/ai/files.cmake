list(APPEND BRIVANE_SOURCES
    ai/AIStore.h ai/AIStore.cpp
)
list(APPEND BRIVANE_QML
    ai/AIPanel.qml
    ai/SettingsKeyGroup.qml
)
