# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Files put aside by dragging them onto the strip.

list(APPEND BRIVANE_SOURCES
    shelf/ShelfStore.h shelf/ShelfStore.cpp
    shelf/ShelfModel.h shelf/ShelfModel.cpp
    shelf/ShelfIconProvider.h shelf/ShelfIconProvider.cpp
)
list(APPEND BRIVANE_QML
    shelf/ShelfPanel.qml
)
