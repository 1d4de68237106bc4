// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FullScreenWatch.h"

#include "X11.h"

#include <QGuiApplication>
#include <QWindow>
#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <utility>

namespace {

// Answers come within milliseconds; a server that never answers is given up
// on after about a second.
constexpr int PollMs = 4;
constexpr int MaxTries = 250;

// Brivane's own windows keep the event mask Qt gave them.
bool isOwn(xcb_window_t window)
{
    const QWindowList windows = QGuiApplication::allWindows();
    return std::any_of(windows.cbegin(), windows.cend(),
        [window](QWindow *w) { return w->handle() && w->winId() == window; });
}

} // namespace

FullScreenWatch::FullScreenWatch(QObject *parent)
    : QObject(parent)
{
    m_poll.setInterval(PollMs);
    connect(&m_poll, &QTimer::timeout, this, &FullScreenWatch::collect);
}

FullScreenWatch::~FullScreenWatch()
{
    if (m_enabled && qGuiApp)
        qGuiApp->removeNativeEventFilter(this);
}

void FullScreenWatch::setEnabled(bool enabled)
{
    if (m_enabled == enabled)
        return;
    if (enabled && !m_connection) {
        m_connection = X11::connection();
        if (!m_connection)
            return;
        m_root = X11::rootWindow(m_connection);
        m_activeAtom = X11::atom(X11::Atom::NetActiveWindow);
        m_stateAtom = X11::atom(X11::Atom::NetWmState);
        m_fullScreenAtom = X11::atom(X11::Atom::NetWmStateFullScreen);
        // Qt already selects property changes on the root window (it follows
        // _NET_WORKAREA), so its events reach the filter without asking the
        // server anything here.
    }
    m_enabled = enabled;
    if (enabled) {
        qGuiApp->installNativeEventFilter(this);
        ask();
    } else {
        qGuiApp->removeNativeEventFilter(this);
        dropQuestions();
        m_askAgain = false;
        setArea(QRect());
    }
}

bool FullScreenWatch::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    auto *event = static_cast<xcb_generic_event_t *>(message);
    const uint8_t type = event->response_type & ~0x80;
    if (type == XCB_PROPERTY_NOTIFY) {
        auto *property = reinterpret_cast<xcb_property_notify_event_t *>(event);
        if ((property->window == m_root && property->atom == m_activeAtom)
            || (property->window == m_active && property->atom == m_stateAtom))
            ask();
    } else if (type == XCB_CONFIGURE_NOTIFY) {
        if (reinterpret_cast<xcb_configure_notify_event_t *>(event)->window == m_active)
            ask();
    } else if (type == XCB_UNMAP_NOTIFY || type == XCB_DESTROY_NOTIFY) {
        // A full-screen window that closes or hides covers nothing any more,
        // whether or not the window manager names another active window.
        const xcb_window_t window = type == XCB_UNMAP_NOTIFY
            ? reinterpret_cast<xcb_unmap_notify_event_t *>(event)->window
            : reinterpret_cast<xcb_destroy_notify_event_t *>(event)->window;
        if (window == m_active && m_active) {
            if (type == XCB_DESTROY_NOTIFY)
                m_active = 0;
            setArea(QRect());
            ask();
        }
    }
    return false;
}

void FullScreenWatch::ask()
{
    if (!m_enabled)
        return;
    if (m_step != Step::Idle) {
        // A change while the last answer is on its way: ask once more after.
        m_askAgain = true;
        return;
    }
    m_activeCookie = xcb_get_property(m_connection, 0, m_root, m_activeAtom, XCB_ATOM_WINDOW, 0, 1).sequence;
    xcb_flush(m_connection);
    m_step = Step::Active;
    m_tries = 0;
    m_poll.start();
}

void FullScreenWatch::collect()
{
    if (++m_tries > MaxTries) {
        // What it was asked may have changed meanwhile: a change announced
        // while waiting is asked about afresh.
        dropQuestions();
        if (std::exchange(m_askAgain, false))
            ask();
        return;
    }
    if (m_step == Step::Active) {
        xcb_get_property_reply_t *reply = nullptr;
        if (!X11::takeReply(m_connection, m_activeCookie, &reply))
            return;
        xcb_window_t active = 0;
        if (reply && reply->format == 32 && xcb_get_property_value_length(reply) >= 4)
            active = *static_cast<xcb_window_t *>(xcb_get_property_value(reply));
        std::free(reply);
        if (active != m_active) {
            // Its state and moves are what matter now; the last one's are not.
            const uint32_t none = 0;
            if (m_active && !isOwn(m_active))
                xcb_change_window_attributes(m_connection, m_active, XCB_CW_EVENT_MASK, &none);
            m_active = active;
            if (active && !isOwn(active)) {
                const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
                xcb_change_window_attributes(m_connection, active, XCB_CW_EVENT_MASK, &mask);
            }
        }
        if (!active) {
            setArea(QRect());
            m_step = Step::Idle;
        } else {
            m_stateCookie
                = xcb_get_property(m_connection, 0, active, m_stateAtom, XCB_ATOM_ATOM, 0, 64).sequence;
            m_geometryCookie = xcb_get_geometry(m_connection, active).sequence;
            m_translateCookie = xcb_translate_coordinates(m_connection, active, m_root, 0, 0).sequence;
            xcb_flush(m_connection);
            m_step = Step::Details;
            m_tries = 0;
            return;
        }
    } else if (m_step == Step::Details) {
        // Answers come in the order asked, so the last one there means all are.
        xcb_translate_coordinates_reply_t *origin = nullptr;
        if (!X11::takeReply(m_connection, m_translateCookie, &origin))
            return;
        xcb_get_property_reply_t *state = nullptr;
        xcb_get_geometry_reply_t *geometry = nullptr;
        X11::takeReply(m_connection, m_stateCookie, &state);
        X11::takeReply(m_connection, m_geometryCookie, &geometry);
        bool fullScreen = false;
        if (state && state->format == 32) {
            const auto *atoms = static_cast<xcb_atom_t *>(xcb_get_property_value(state));
            const int count = xcb_get_property_value_length(state) / 4;
            for (int i = 0; i < count && !fullScreen; ++i)
                fullScreen = atoms[i] == m_fullScreenAtom;
        }
        // Named while already gone: a new window may come with the same id,
        // and must have its events selected afresh.
        if (!geometry)
            m_active = 0;
        QRect area;
        if (fullScreen && geometry && origin)
            area = QRect(origin->dst_x, origin->dst_y, geometry->width, geometry->height);
        std::free(state);
        std::free(geometry);
        std::free(origin);
        setArea(area);
        m_step = Step::Idle;
    }
    if (m_step == Step::Idle) {
        m_poll.stop();
        if (std::exchange(m_askAgain, false))
            ask();
    }
}

void FullScreenWatch::dropQuestions()
{
    // Unread answers would stay with the connection for good.
    if (m_step == Step::Active) {
        xcb_discard_reply(m_connection, m_activeCookie);
    } else if (m_step == Step::Details) {
        for (const unsigned cookie : { m_stateCookie, m_geometryCookie, m_translateCookie })
            xcb_discard_reply(m_connection, cookie);
    }
    m_step = Step::Idle;
    m_poll.stop();
}

void FullScreenWatch::setArea(const QRect &area)
{
    if (m_area == area)
        return;
    m_area = area;
    Q_EMIT fullScreenAreaChanged();
}
