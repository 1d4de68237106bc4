// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>
#include <optional>

class QWindow;

// What an X11 window manager (XWayland's included) needs to treat a window as
// a desktop panel rather than an application window, and to move the
// keyboard focus to it and back without tripping focus-stealing prevention.
// Every call does nothing off X11.
namespace PanelHints {

// Before the window is mapped: keep it out of task bars, pagers and window
// switchers.
void markAsPanel(QWindow *window);

// After the window is mapped: asserts the same states through the window
// manager, and withdraws any attention request the window manager raised.
void reassertPanel(QWindow *window);

// Which window has the keyboard, as the window manager announces it. The
// question is sent with ask() and its answer taken later with take(), which
// never waits: it has nothing until the answer is in, which is within a
// round trip, long before the card that asked closes. The answer is 0 when
// no window, or a native Wayland window, has it.
class ActiveWindowQuery
{
public:
    ActiveWindowQuery() = default;
    ActiveWindowQuery(const ActiveWindowQuery &) = delete;
    ActiveWindowQuery &operator=(const ActiveWindowQuery &) = delete;
    ~ActiveWindowQuery();

    // A question still unanswered is dropped.
    void ask();
    std::optional<quintptr> take();

private:
    void drop();

    unsigned m_sequence = 0;
    bool m_pending = false;
};

// Asks the window manager to focus the window. Sent as a pager would, since a
// panel acts on the user's pointer and has no input event of its own to
// quote; an application request would be refused and turned into an
// attention request. Off X11, Qt's own request.
void activate(QWindow *window);
void activate(quintptr window);

} // namespace PanelHints
