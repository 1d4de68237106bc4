// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdlib>
#include <xcb/xcb.h>
#include <xcb/xcbext.h>

// The X connection Qt already has, for the platform code that speaks to the
// X server or its window manager directly. Every call is safe off X11.
namespace X11 {

// None when this is not an X11 client.
xcb_connection_t *connection();
xcb_window_t rootWindow(xcb_connection_t *connection);

// Every atom the platform code names.
enum class Atom {
    NetActiveWindow,
    NetWmState,
    NetWmStateFullScreen,
    NetWmStateSkipTaskbar,
    NetWmStateSkipPager,
    KdeNetWmStateSkipSwitcher,
    NetWmStateDemandsAttention,
    NetWmCmS0,
    XdndAware,
    XdndProxy,
    XdndEnter,
    XdndPosition,
    XdndLeave,
    XdndDrop,
    Count
};
// Atoms live as long as the server: all of them are asked for together the
// first time one is needed, so they cost one round trip per process.
// XCB_ATOM_NONE off X11 or when the server does not answer.
xcb_atom_t atom(Atom atom);

// Takes the answer to an earlier request if it has arrived, without waiting:
// true once it is there (the reply may still be none, after an error).
template<typename Reply>
bool takeReply(xcb_connection_t *connection, unsigned sequence, Reply **reply)
{
    void *answer = nullptr;
    xcb_generic_error_t *error = nullptr;
    if (!xcb_poll_for_reply(connection, sequence, &answer, &error))
        return false;
    std::free(error);
    *reply = static_cast<Reply *>(answer);
    return true;
}
} // namespace X11
