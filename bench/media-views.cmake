# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The media panel's cost while shown (paused, playing, hidden).
qt_add_executable(media_views ${CMAKE_CURRENT_LIST_DIR}/media_views.cpp)
target_link_libraries(media_views PRIVATE brivanecore brivanecoreplugin)
