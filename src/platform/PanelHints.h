// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

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
// question is sent at once and its answer read later with
// takeActiveWindow(), by when it has long arrived, so nothing waits on the
// server. The answer is 0 when no window, or a native Wayland window, has it.
struct ActiveWindowQuery
{
    unsigned sequence = 0;
    bool pending = false;
};
ActiveWindowQuery queryActiveWindow();
quintptr takeActiveWindow(ActiveWindowQuery &query);

// Asks the window manager to focus the window. Sent as a pager would, since a
// panel acts on the user's pointer and has no input event of its own to
// quote; an application request would be refused and turned into an
// attention request. Off X11, Qt's own request.
void activate(QWindow *window);
void activate(quintptr window);

} // namespace PanelHints
