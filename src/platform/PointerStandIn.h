// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QRegion>
#include <QTimer>
#include <xcb/xcb.h>

class QWindow;

// Where nothing composites, a window's transparent pixels paint black. An X
// window shaped to nothing draws nothing, but the shape clips its input
// too; so an input-only window, which is never drawn, takes the pointer in
// its place and tells when it enters and leaves. The stand-in is stacked
// just above the window (its window manager's frame, that is), so what
// covers the window covers it too. A drag from another program finds the
// stand-in too: it names the window as its XDND proxy, and what the drag
// source says to the stand-in reaches the window's own drop handling.
// Every call does nothing off X11.
class PointerStandIn : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT
public:
    explicit PointerStandIn(QWindow *window, QObject *parent = nullptr);
    ~PointerStandIn() override;

    // Shapes the window to `drawn` (nothing by default) and, while it is
    // shown, takes the pointer over area, in the window's coordinates.
    void cover(const QRect &area, const QRegion &drawn = {});
    // The stand-in goes; the window's shape is its mask again, which the
    // caller sets afterwards.
    void uncover();
    bool isCovering() const { return m_covering; }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

Q_SIGNALS:
    void entered();
    void left();

private:
    void place();
    void findTopLevel();
    void collectParent();
    void dropQuestion();
    void offerDrops();

    QPointer<QWindow> m_window;
    xcb_connection_t *m_connection = nullptr;
    xcb_window_t m_root = 0;
    xcb_window_t m_standIn = 0;
    QRect m_area;
    QRegion m_drawn;
    bool m_covering = false;
    bool m_mapped = false;
    // The window's ancestor that is a child of the root window, which the
    // stand-in is stacked above; found by asking for one parent at a time.
    xcb_window_t m_topLevel = 0;
    xcb_window_t m_asked = 0;
    unsigned m_treeCookie = 0;
    bool m_treePending = false;
    int m_tries = 0;
    int m_depth = 0;
    QTimer m_poll;
};
