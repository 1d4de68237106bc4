// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Compositor.h"

#include "X11.h"

#include <QtGlobal>
#include <cstdlib>

bool Compositor::isActive(QScreen *screen)
{
    Q_UNUSED(screen);
    xcb_connection_t *connection = X11::connection();
    // Wayland always composites; offscreen has no other windows to cover.
    if (!connection)
        return true;
    // An owner of _NET_WM_CM_S<n> is the compositing manager of screen n.
    const xcb_atom_t selection = X11::atom(X11::Atom::NetWmCmS0);
    if (selection == XCB_ATOM_NONE)
        return false;
    xcb_get_selection_owner_reply_t *owner
        = xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection), nullptr);
    const bool active = owner && owner->owner != XCB_WINDOW_NONE;
    std::free(owner);
    return active;
}
