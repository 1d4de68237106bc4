#include "Compositor.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QScreen>

#include <xcb/xcb.h>

bool Compositor::isActive(QScreen *screen)
{
    Q_UNUSED(screen);
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    // Wayland always composites; offscreen has no other windows to cover.
    if (!x11 || !x11->connection())
        return true;
    xcb_connection_t *connection = x11->connection();
    // An owner of _NET_WM_CM_S<n> is the compositing manager of screen n.
    const QByteArray name = "_NET_WM_CM_S0";
    xcb_intern_atom_reply_t *atom =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 1, uint16_t(name.size()), name.constData()), nullptr);
    if (!atom)
        return false;
    const xcb_atom_t selection = atom->atom;
    free(atom);
    if (selection == XCB_ATOM_NONE)
        return false;
    xcb_get_selection_owner_reply_t *owner =
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection), nullptr);
    const bool active = owner && owner->owner != XCB_WINDOW_NONE;
    free(owner);
    return active;
}
