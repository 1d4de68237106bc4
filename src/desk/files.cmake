list(APPEND BRIVANE_SOURCES
    desk/NotesStore.h desk/NotesStore.cpp
    desk/ClipboardStore.h desk/ClipboardStore.cpp
)
list(APPEND BRIVANE_QML
    desk/NotesPanel.qml
    desk/TimerPanel.qml
    desk/CalculatorPanel.qml
    desk/ClipboardPanel.qml
    desk/SettingsNotesList.qml
)
