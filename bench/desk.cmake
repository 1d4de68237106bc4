# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Desk tools under big data: megabyte clipboard entries, many notes.
qt_add_executable(desk_clipboard desk_clipboard.cpp)
target_link_libraries(desk_clipboard PRIVATE brivanecore brivanecoreplugin Qt6::Quick)
