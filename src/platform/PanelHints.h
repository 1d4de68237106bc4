#pragma once

#include <QtGlobal>

class QWindow;

// What an X11 window manager (XWayland's included) needs to treat a window as
// a desktop panel rather than an application window, and to move the
// keyboard focus to it and back without tripping focus-stealing prevention.
// Every call does nothing off X11.
namespace PanelHints {

// Before the window is mapped: keep it out of task bars, pagers and window
// switchers. Window managers drop these states when a window is withdrawn,
// so call it again before every show().
void markAsPanel(QWindow *window);

// After the window is mapped: asserts the same states through the window
// manager, and withdraws any attention request the window manager raised.
void reassertPanel(QWindow *window);

// The window that has the keyboard focus, as the window manager announces it
// (0 when none, or when a native Wayland window has it).
quintptr activeWindow();

// Asks the window manager to focus the window. Sent as a pager would, since a
// panel acts on the user's pointer and has no input event of its own to
// quote; an application request would be refused and turned into an
// attention request.
void activate(QWindow *window);
void activate(quintptr window);

// Whether this runs as an X11 client.
bool isX11();

} // namespace PanelHints
