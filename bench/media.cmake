# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Media benchmark: the UI-thread cost of a poll tick with three MPRIS players
# on the bus. Run bench/media.sh (it starts its own session).
qt_add_executable(bench_media ${CMAKE_CURRENT_LIST_DIR}/media_tick.cpp)
target_link_libraries(bench_media PRIVATE brivanecore brivanecoreplugin Qt6::Gui)

qt_add_executable(bench_media_player ${CMAKE_CURRENT_LIST_DIR}/../tests/platform/fake_mpris_player.cpp)
target_link_libraries(bench_media_player PRIVATE Qt6::Core Qt6::DBus)
add_dependencies(bench_media bench_media_player)
