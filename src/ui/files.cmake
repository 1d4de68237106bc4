# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The bottom room: text helpers, colours, symbols and the small controls every
# panel draws with. It includes nothing of the rooms above it.

list(APPEND BRIVANE_SOURCES
    ui/Text.h
    ui/Theme.h ui/Theme.cpp
    ui/Symbols.h ui/Symbols.cpp
)
list(APPEND BRIVANE_QML
    ui/PlainButton.qml
    ui/GlyphButton.qml
    ui/FocusRing.qml
    ui/RowCard.qml
    ui/TintedField.qml
    ui/PlainLabel.qml
)
