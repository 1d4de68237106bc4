# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later

list(APPEND BRIVANE_SOURCES
    desk/NewestRowsModel.h desk/NewestRowsModel.cpp
    desk/NotesStore.h desk/NotesStore.cpp
    desk/NotesModel.h desk/NotesModel.cpp
    desk/ClipboardStore.h desk/ClipboardStore.cpp
    desk/ClipboardModel.h desk/ClipboardModel.cpp
    desk/TimerStore.h desk/TimerStore.cpp
    desk/CalculatorStore.h desk/CalculatorStore.cpp
)
list(APPEND BRIVANE_QML
    desk/NotesPanel.qml
    desk/TimerPanel.qml
    desk/CalculatorPanel.qml
    desk/ClipboardPanel.qml
    desk/SettingsNotesList.qml
)
