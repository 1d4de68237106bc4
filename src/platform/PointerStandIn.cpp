// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "PointerStandIn.h"

#include "X11.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <cmath>
#include <cstdlib>
#include <vector>
#include <xcb/shape.h>

namespace {

// Answers come within milliseconds; a server that never answers is given up
// on after about a second.
constexpr int PollMs = 4;
constexpr int MaxTries = 250;
// Window managers nest a window a few frames deep at most.
constexpr int MaxDepth = 8;
// The XDND version Qt's own drop handling speaks.
constexpr uint32_t XdndVersion = 5;

} // namespace

PointerStandIn::PointerStandIn(QWindow *window, QObject *parent)
    : QObject(parent)
    , m_window(window)
{
    m_connection = X11::connection();
    if (!m_connection || !window)
        return;
    m_root = X11::rootWindow(m_connection);
    m_poll.setInterval(PollMs);
    connect(&m_poll, &QTimer::timeout, this, &PointerStandIn::collectParent);
    // The window manager may place the window elsewhere than it asked.
    connect(window, &QWindow::xChanged, this, &PointerStandIn::place);
    connect(window, &QWindow::yChanged, this, &PointerStandIn::place);
    qGuiApp->installNativeEventFilter(this);
}

PointerStandIn::~PointerStandIn()
{
    if (!m_connection)
        return;
    if (qGuiApp)
        qGuiApp->removeNativeEventFilter(this);
    dropQuestion();
    if (m_standIn) {
        xcb_destroy_window(m_connection, m_standIn);
        xcb_flush(m_connection);
    }
}

void PointerStandIn::cover(const QRect &area, const QRegion &drawn)
{
    if (!m_connection || !m_window)
        return;
    const auto window = xcb_window_t(m_window->winId());
    if (!m_covering || drawn != m_drawn) {
        // No rectangles: nothing of the window is drawn, and nothing takes
        // its input; the stand-in takes it over the drawn parts too.
        const qreal ratio = m_window->devicePixelRatio();
        std::vector<xcb_rectangle_t> rectangles;
        for (const QRect &r : drawn) {
            rectangles.push_back({ qint16(std::lround(r.x() * ratio)), qint16(std::lround(r.y() * ratio)),
                quint16(std::lround(r.width() * ratio)), quint16(std::lround(r.height() * ratio)) });
        }
        xcb_shape_rectangles(m_connection, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_BOUNDING,
            XCB_CLIP_ORDERING_UNSORTED, window, 0, 0, quint32(rectangles.size()), rectangles.data());
        m_covering = true;
        m_drawn = drawn;
    }
    m_area = area;
    if (!m_standIn) {
        m_standIn = xcb_generate_id(m_connection);
        // Left to itself by the window manager, like a menu.
        const uint32_t values[] = { 1, XCB_EVENT_MASK_ENTER_WINDOW | XCB_EVENT_MASK_LEAVE_WINDOW };
        xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, m_standIn, m_root, 0, 0, 1, 1, 0,
            XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK,
            values);
        offerDrops();
    }
    if (!m_topLevel && !m_treePending)
        findTopLevel();
    place();
}

void PointerStandIn::offerDrops()
{
    // XDND: a source looks for XdndAware on the window under the pointer,
    // the stand-in, and sends to the window its XdndProxy names. That
    // window must name itself as its proxy for the source to trust it.
    const auto window = xcb_window_t(m_window->winId());
    const uint32_t version = XdndVersion;
    const xcb_atom_t proxy = X11::atom(X11::Atom::XdndProxy);
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, m_standIn, X11::atom(X11::Atom::XdndAware),
        XCB_ATOM_ATOM, 32, 1, &version);
    xcb_change_property(
        m_connection, XCB_PROP_MODE_REPLACE, m_standIn, proxy, XCB_ATOM_WINDOW, 32, 1, &window);
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, window, proxy, XCB_ATOM_WINDOW, 32, 1, &window);
}

void PointerStandIn::uncover()
{
    m_covering = false;
    m_drawn = {};
    place();
}

void PointerStandIn::place()
{
    if (!m_standIn)
        return;
    const bool show = m_covering && m_window && m_window->isVisible();
    if (show) {
        // Qt keeps a screen's position in device pixels and scales sizes and
        // offsets within it.
        const qreal ratio = m_window->devicePixelRatio();
        const QPoint origin = m_window->screen() ? m_window->screen()->geometry().topLeft() : QPoint();
        const QPointF topLeft = origin + QPointF(m_window->position() - origin + m_area.topLeft()) * ratio;
        const uint32_t geometry[]
            = { uint32_t(int32_t(std::lround(topLeft.x()))), uint32_t(int32_t(std::lround(topLeft.y()))),
                  uint32_t(std::max(1L, std::lround(m_area.width() * ratio))),
                  uint32_t(std::max(1L, std::lround(m_area.height() * ratio))) };
        xcb_configure_window(m_connection, m_standIn,
            XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
            geometry);
        // Above the window's frame, else on top until the frame is known. A
        // frame gone meanwhile answers with an error, which nobody needs.
        if (m_topLevel) {
            const uint32_t stacking[] = { m_topLevel, XCB_STACK_MODE_ABOVE };
            xcb_discard_reply(m_connection,
                xcb_configure_window_checked(m_connection, m_standIn,
                    XCB_CONFIG_WINDOW_SIBLING | XCB_CONFIG_WINDOW_STACK_MODE, stacking)
                    .sequence);
        } else {
            const uint32_t stacking[] = { XCB_STACK_MODE_ABOVE };
            xcb_configure_window(m_connection, m_standIn, XCB_CONFIG_WINDOW_STACK_MODE, stacking);
        }
        if (!m_mapped)
            xcb_map_window(m_connection, m_standIn);
    } else if (m_mapped) {
        xcb_unmap_window(m_connection, m_standIn);
    }
    m_mapped = show;
    xcb_flush(m_connection);
}

void PointerStandIn::findTopLevel()
{
    dropQuestion();
    m_topLevel = 0;
    m_asked = xcb_window_t(m_window->winId());
    m_treeCookie = xcb_query_tree(m_connection, m_asked).sequence;
    m_treePending = true;
    m_tries = 0;
    m_depth = 0;
    xcb_flush(m_connection);
    m_poll.start();
}

void PointerStandIn::collectParent()
{
    xcb_query_tree_reply_t *tree = nullptr;
    if (!X11::takeReply(m_connection, m_treeCookie, &tree)) {
        if (++m_tries > MaxTries)
            dropQuestion();
        return;
    }
    m_treePending = false;
    m_poll.stop();
    const xcb_window_t parent = tree ? tree->parent : xcb_window_t(XCB_WINDOW_NONE);
    std::free(tree);
    if (parent == XCB_WINDOW_NONE)
        return;
    if (parent != m_root && ++m_depth < MaxDepth) {
        // One frame further up.
        m_asked = parent;
        m_treeCookie = xcb_query_tree(m_connection, parent).sequence;
        m_treePending = true;
        m_tries = 0;
        xcb_flush(m_connection);
        m_poll.start();
        return;
    }
    m_topLevel = m_asked;
    place();
}

void PointerStandIn::dropQuestion()
{
    // An answer never read would stay with the connection for good.
    if (m_treePending)
        xcb_discard_reply(m_connection, m_treeCookie);
    m_treePending = false;
    m_poll.stop();
}

bool PointerStandIn::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t" || !m_window)
        return false;
    auto *event = static_cast<xcb_generic_event_t *>(message);
    const uint8_t type = event->response_type & ~0x80;
    if (type == XCB_REPARENT_NOTIFY) {
        // Mapped, the window moves into its window manager's frame; the
        // stand-in goes above that instead.
        if (m_window->handle()
            && reinterpret_cast<xcb_reparent_notify_event_t *>(event)->window
                == xcb_window_t(m_window->winId()))
            findTopLevel();
        return false;
    }
    if (type == XCB_CLIENT_MESSAGE && m_standIn) {
        // A drag source addresses its messages to the stand-in, the window
        // it found, and sends them to the proxy. Qt hands a message to the
        // window it is addressed to: readdressed, it reaches the card's.
        auto *client = reinterpret_cast<xcb_client_message_event_t *>(event);
        const xcb_atom_t kind = client->type;
        const bool xdnd = kind == X11::atom(X11::Atom::XdndEnter)
            || kind == X11::atom(X11::Atom::XdndPosition) || kind == X11::atom(X11::Atom::XdndLeave)
            || kind == X11::atom(X11::Atom::XdndDrop);
        if (xdnd && client->window == m_standIn && m_window->handle())
            client->window = xcb_window_t(m_window->winId());
        return false;
    }
    if (type != XCB_ENTER_NOTIFY && type != XCB_LEAVE_NOTIFY)
        return false;
    // Enter and leave events share their layout.
    if (reinterpret_cast<xcb_enter_notify_event_t *>(event)->event != m_standIn || !m_standIn)
        return false;
    // Unmapping under the pointer says it left; that is not the user's.
    if (m_mapped) {
        if (type == XCB_ENTER_NOTIFY)
            Q_EMIT entered();
        else if (type == XCB_LEAVE_NOTIFY)
            Q_EMIT left();
    }
    return true;
}
