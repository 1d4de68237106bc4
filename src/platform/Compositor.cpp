// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Compositor.h"

#include "X11.h"

#include <QGuiApplication>
#include <QPointer>
#include <cstdlib>
#include <xcb/xfixes.h>

namespace {

// The answer comes within milliseconds; a server that never answers is
// given up on after about a second.
constexpr int PollMs = 4;
constexpr int MaxTries = 250;

} // namespace

Compositor &Compositor::instance()
{
    static QPointer<Compositor> compositor;
    if (!compositor)
        compositor = new Compositor(qGuiApp);
    return *compositor;
}

Compositor::Compositor(QObject *parent)
    : QObject(parent)
{
    xcb_connection_t *c = X11::connection();
    // XWayland's windows go through the Wayland compositor, whichever X11
    // window manager owns the selection there.
    if (!c || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return;
    m_active = false;
    // An owner of _NET_WM_CM_S<n> is the compositing manager of screen n.
    m_selection = X11::atom(X11::Atom::NetWmCmS0);
    if (m_selection == XCB_ATOM_NONE)
        return;
    // Qt has set up XFixes on this connection already (for the clipboard),
    // so its data is at hand without asking.
    const xcb_query_extension_reply_t *xfixes = xcb_get_extension_data(c, &xcb_xfixes_id);
    if (xfixes && xfixes->present) {
        m_notifyEvent = uint8_t(xfixes->first_event + XCB_XFIXES_SELECTION_NOTIFY);
        xcb_xfixes_select_selection_input(c, X11::rootWindow(c), m_selection,
            XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER
                | XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY
                | XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
        qGuiApp->installNativeEventFilter(this);
        m_filtering = true;
    }
    // Asked after the announcements are on, so that no change falls between.
    m_ownerCookie = xcb_get_selection_owner(c, m_selection).sequence;
    m_ownerPending = true;
    xcb_flush(c);
    m_poll.setInterval(PollMs);
    connect(&m_poll, &QTimer::timeout, this, &Compositor::collectOwner);
    m_poll.start();
}

Compositor::~Compositor()
{
    if (m_filtering && qGuiApp)
        qGuiApp->removeNativeEventFilter(this);
    if (m_ownerPending)
        xcb_discard_reply(X11::connection(), m_ownerCookie);
}

void Compositor::collectOwner()
{
    xcb_connection_t *c = X11::connection();
    xcb_get_selection_owner_reply_t *owner = nullptr;
    if (!X11::takeReply(c, m_ownerCookie, &owner)) {
        if (++m_tries > MaxTries) {
            xcb_discard_reply(c, m_ownerCookie);
            m_ownerPending = false;
            m_poll.stop();
        }
        return;
    }
    m_ownerPending = false;
    m_poll.stop();
    setActive(owner && owner->owner != XCB_WINDOW_NONE);
    std::free(owner);
}

bool Compositor::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    auto *event = static_cast<xcb_generic_event_t *>(message);
    if ((event->response_type & ~0x80) != m_notifyEvent)
        return false;
    auto *notify = reinterpret_cast<xcb_xfixes_selection_notify_event_t *>(event);
    if (notify->selection != m_selection)
        return false;
    // The latest announcement is the owner now, whatever an answer still on
    // its way says.
    if (m_ownerPending) {
        xcb_discard_reply(X11::connection(), m_ownerCookie);
        m_ownerPending = false;
        m_poll.stop();
    }
    setActive(notify->owner != XCB_WINDOW_NONE);
    // Qt's clipboard sees these too.
    return false;
}

void Compositor::setActive(bool active)
{
    if (m_active == active)
        return;
    m_active = active;
    Q_EMIT activeChanged();
}
