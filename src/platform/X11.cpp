// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "X11.h"

#include <QGuiApplication>
#include <array>
#include <cstdlib>
#include <cstring>

namespace X11 {

xcb_connection_t *connection()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t rootWindow(xcb_connection_t *connection)
{
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
    return it.rem ? it.data->root : xcb_window_t(XCB_WINDOW_NONE);
}

xcb_atom_t atom(Atom which)
{
    // In the order of the enumeration.
    static constexpr std::array<const char *, size_t(Atom::Count)> kNames { "_NET_ACTIVE_WINDOW",
        "_NET_WM_STATE", "_NET_WM_STATE_FULLSCREEN", "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER",
        "_KDE_NET_WM_STATE_SKIP_SWITCHER", "_NET_WM_STATE_DEMANDS_ATTENTION", "_NET_WM_CM_S0", "XdndAware",
        "XdndProxy", "XdndEnter", "XdndPosition", "XdndLeave", "XdndDrop" };
    static std::array<xcb_atom_t, size_t(Atom::Count)> atoms {};
    static bool interned = false;
    xcb_connection_t *c = connection();
    if (!c || which == Atom::Count)
        return XCB_ATOM_NONE;
    if (!interned) {
        interned = true;
        // Every question goes out before the first answer is read: the wait
        // for that answer is the only one.
        std::array<xcb_intern_atom_cookie_t, size_t(Atom::Count)> cookies;
        for (size_t i = 0; i < kNames.size(); ++i)
            cookies[i] = xcb_intern_atom(c, 0, uint16_t(std::strlen(kNames[i])), kNames[i]);
        for (size_t i = 0; i < kNames.size(); ++i) {
            xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(c, cookies[i], nullptr);
            atoms[i] = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
            std::free(reply);
        }
    }
    return atoms[size_t(which)];
}

} // namespace X11
