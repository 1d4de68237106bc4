// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "X11.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QHash>
#include <cstdlib>

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

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    static QHash<QByteArray, xcb_atom_t> cache;
    const QByteArray bytes(name);
    if (const auto it = cache.constFind(bytes); it != cache.constEnd())
        return *it;
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, uint16_t(bytes.size()), bytes.constData()), nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    if (result != XCB_ATOM_NONE)
        cache.insert(bytes, result);
    return result;
}

} // namespace X11
