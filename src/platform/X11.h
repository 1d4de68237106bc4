#pragma once

#include <xcb/xcb.h>

// The X connection Qt already has, for the platform code that speaks to the
// X server or its window manager directly. Every call is safe off X11.
namespace X11 {

// None when this is not an X11 client.
xcb_connection_t *connection();
xcb_window_t rootWindow(xcb_connection_t *connection);
// Atoms live as long as the server, so each name costs one round trip per
// process; XCB_ATOM_NONE when the server does not answer.
xcb_atom_t atom(xcb_connection_t *connection, const char *name);

} // namespace X11
