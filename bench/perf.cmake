# The whole product's performance table: bench/performance.sh builds these and
# writes docs/performance.md.
find_package(X11 REQUIRED)
# Expand and collapse cycles driven from outside, watching the window's shape.
add_executable(notch_cycles ${CMAKE_CURRENT_LIST_DIR}/notch_cycles.cpp)
target_link_libraries(notch_cycles PRIVATE X11::X11 X11::Xext)
