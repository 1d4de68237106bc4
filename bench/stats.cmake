# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Stats tab: the UI-thread cost of one refresh on this machine.
#   ninja -C build bench_stats_refresh && build/bench/bench_stats_refresh
qt_add_executable(bench_stats_refresh ${CMAKE_CURRENT_LIST_DIR}/stats_refresh.cpp)
target_link_libraries(bench_stats_refresh PRIVATE brivanecore)
