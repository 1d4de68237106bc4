// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "PanelHints.h"

#include "X11.h"

#include <QWindow>
#include <cstdlib>
#include <initializer_list>

namespace {

// The states that keep a panel out of task bars, pagers and Alt+Tab; the
// last is KWin's own for its switcher.
constexpr std::initializer_list<X11::Atom> kPanelStates = { X11::Atom::NetWmStateSkipTaskbar,
    X11::Atom::NetWmStateSkipPager, X11::Atom::KdeNetWmStateSkipSwitcher };

// Requests about a window go to the root window, where the window manager
// listens (EWMH).
void sendToRoot(
    xcb_connection_t *c, xcb_window_t window, xcb_atom_t type, std::initializer_list<uint32_t> data)
{
    xcb_client_message_event_t event = {};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = type;
    int i = 0;
    for (uint32_t value : data)
        event.data.data32[i++] = value;
    xcb_send_event(c, 0, X11::rootWindow(c),
        XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
        reinterpret_cast<const char *>(&event));
}

} // namespace

namespace PanelHints {

void markAsPanel(QWindow *window)
{
    xcb_connection_t *c = X11::connection();
    if (!c || !window)
        return;
    // Qt merges what it finds in _NET_WM_STATE with its own states when it
    // maps the window, so these survive show().
    const auto id = xcb_window_t(window->winId());
    for (const X11::Atom name : kPanelStates) {
        const xcb_atom_t state = X11::atom(name);
        xcb_change_property(
            c, XCB_PROP_MODE_APPEND, id, X11::atom(X11::Atom::NetWmState), XCB_ATOM_ATOM, 32, 1, &state);
    }
    xcb_flush(c);
}

void reassertPanel(QWindow *window)
{
    xcb_connection_t *c = X11::connection();
    if (!c || !window)
        return;
    const auto id = xcb_window_t(window->winId());
    const xcb_atom_t wmState = X11::atom(X11::Atom::NetWmState);
    constexpr uint32_t remove = 0, add = 1, fromPager = 2;
    for (const X11::Atom name : kPanelStates)
        sendToRoot(c, id, wmState, { add, X11::atom(name), 0, fromPager });
    sendToRoot(c, id, wmState, { remove, X11::atom(X11::Atom::NetWmStateDemandsAttention), 0, fromPager });
    xcb_flush(c);
}

ActiveWindowQuery::~ActiveWindowQuery()
{
    drop();
}

void ActiveWindowQuery::ask()
{
    drop();
    xcb_connection_t *c = X11::connection();
    if (!c)
        return;
    m_sequence = xcb_get_property(
        c, 0, X11::rootWindow(c), X11::atom(X11::Atom::NetActiveWindow), XCB_ATOM_WINDOW, 0, 1)
                     .sequence;
    m_pending = true;
    xcb_flush(c);
}

std::optional<quintptr> ActiveWindowQuery::take()
{
    xcb_connection_t *c = X11::connection();
    xcb_get_property_reply_t *reply = nullptr;
    if (!c || !m_pending || !X11::takeReply(c, m_sequence, &reply))
        return std::nullopt;
    m_pending = false;
    quintptr result = 0;
    if (reply && reply->format == 32 && xcb_get_property_value_length(reply) >= 4)
        result = *static_cast<const xcb_window_t *>(xcb_get_property_value(reply));
    std::free(reply);
    return result;
}

void ActiveWindowQuery::drop()
{
    // An answer never read would stay with the connection for good.
    if (xcb_connection_t *c = X11::connection(); c && m_pending)
        xcb_discard_reply(c, m_sequence);
    m_pending = false;
}

void activate(quintptr window)
{
    xcb_connection_t *c = X11::connection();
    if (!c || !window)
        return;
    constexpr uint32_t fromPager = 2, now = XCB_CURRENT_TIME;
    sendToRoot(c, xcb_window_t(window), X11::atom(X11::Atom::NetActiveWindow), { fromPager, now, 0 });
    xcb_flush(c);
}

void activate(QWindow *window)
{
    if (!window)
        return;
    if (!X11::connection()) {
        window->requestActivate();
        return;
    }
    activate(window->winId());
}

} // namespace PanelHints
