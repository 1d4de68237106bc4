#include "PanelHints.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QHash>
#include <QWindow>
#include <cstdlib>
#include <initializer_list>
#include <xcb/xcb.h>

namespace {

xcb_connection_t *connection()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t rootOf(xcb_connection_t *c)
{
    const xcb_setup_t *setup = xcb_get_setup(c);
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(setup);
    return it.rem ? it.data->root : xcb_window_t(XCB_WINDOW_NONE);
}

// Atoms live as long as the X server; one connection per process, so one
// round trip per name.
xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    static QHash<QByteArray, xcb_atom_t> cache;
    const QByteArray bytes(name);
    if (const auto it = cache.constFind(bytes); it != cache.constEnd())
        return *it;
    xcb_intern_atom_reply_t *reply
        = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(bytes.size()), bytes.constData()), nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    if (result != XCB_ATOM_NONE)
        cache.insert(bytes, result);
    return result;
}

// The states that keep a panel out of task bars, pagers and Alt+Tab; the
// last is KWin's own for its switcher.
constexpr std::initializer_list<const char *> kPanelStates
    = { "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER", "_KDE_NET_WM_STATE_SKIP_SWITCHER" };

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
    xcb_send_event(c, 0, rootOf(c), XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
        reinterpret_cast<const char *>(&event));
}

} // namespace

namespace PanelHints {

bool isX11()
{
    return connection() != nullptr;
}

void markAsPanel(QWindow *window)
{
    xcb_connection_t *c = connection();
    if (!c || !window)
        return;
    // Qt merges what it finds in _NET_WM_STATE with its own states when it
    // maps the window, so these survive show().
    const auto id = xcb_window_t(window->winId());
    for (const char *name : kPanelStates) {
        const xcb_atom_t state = atom(c, name);
        xcb_change_property(
            c, XCB_PROP_MODE_APPEND, id, atom(c, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32, 1, &state);
    }
    xcb_flush(c);
}

void reassertPanel(QWindow *window)
{
    xcb_connection_t *c = connection();
    if (!c || !window)
        return;
    const auto id = xcb_window_t(window->winId());
    const xcb_atom_t wmState = atom(c, "_NET_WM_STATE");
    constexpr uint32_t remove = 0, add = 1, fromPager = 2;
    for (const char *name : kPanelStates)
        sendToRoot(c, id, wmState, { add, atom(c, name), 0, fromPager });
    sendToRoot(c, id, wmState, { remove, atom(c, "_NET_WM_STATE_DEMANDS_ATTENTION"), 0, fromPager });
    xcb_flush(c);
}

quintptr activeWindow()
{
    xcb_connection_t *c = connection();
    if (!c)
        return 0;
    xcb_get_property_reply_t *reply = xcb_get_property_reply(
        c, xcb_get_property(c, 0, rootOf(c), atom(c, "_NET_ACTIVE_WINDOW"), XCB_ATOM_WINDOW, 0, 1), nullptr);
    quintptr result = 0;
    if (reply && reply->format == 32 && xcb_get_property_value_length(reply) >= 4)
        result = *static_cast<const xcb_window_t *>(xcb_get_property_value(reply));
    std::free(reply);
    return result;
}

void activate(quintptr window)
{
    xcb_connection_t *c = connection();
    if (!c || !window)
        return;
    constexpr uint32_t fromPager = 2, now = XCB_CURRENT_TIME;
    sendToRoot(c, xcb_window_t(window), atom(c, "_NET_ACTIVE_WINDOW"), { fromPager, now, 0 });
    xcb_flush(c);
}

void activate(QWindow *window)
{
    if (!window)
        return;
    if (!isX11()) {
        window->requestActivate();
        return;
    }
    activate(window->winId());
}

} // namespace PanelHints
