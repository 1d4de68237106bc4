# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The whole product's performance table: bench/performance.sh builds these and
# writes docs/performance.md.
# Expand and collapse cycles driven from outside, watching the window's shape
# (Xlib and the SHAPE extension: Debian's libx11-dev and libxext-dev).
find_package(X11)
if(X11_FOUND AND X11_Xext_FOUND)
    add_executable(notch_cycles ${CMAKE_CURRENT_LIST_DIR}/notch_cycles.cpp)
    target_link_libraries(notch_cycles PRIVATE X11::X11 X11::Xext)
else()
    message(STATUS "bench/performance.sh needs libx11-dev and libxext-dev for notch_cycles")
endif()

# Hover response on each nested desktop (bench/desktops.sh): pointer warps on
# the outer X server, the card's first pixels read back from it.
if(X11_FOUND)
    add_executable(hover_response ${CMAKE_CURRENT_LIST_DIR}/hover_response.cpp)
    target_link_libraries(hover_response PRIVATE X11::X11)
endif()
