// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QRect>
#include <QTimer>
#include <xcb/xcb.h>

// Follows whether the window that has the keyboard is full screen, as the
// X11 window manager announces it (_NET_ACTIVE_WINDOW on the root window,
// _NET_WM_STATE_FULLSCREEN on that window). It only listens: nothing is
// asked of the server until one of those properties changes, and no answer
// is waited for on the UI thread. Off X11 it reports nothing.
class FullScreenWatch : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT
public:
    explicit FullScreenWatch(QObject *parent = nullptr);
    ~FullScreenWatch() override;

    void setEnabled(bool enabled);
    bool isEnabled() const { return m_enabled; }
    // Where the active full-screen window is, in screen coordinates; null
    // when the active window is not full screen.
    QRect fullScreenArea() const { return m_area; }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

Q_SIGNALS:
    void fullScreenAreaChanged();

private:
    void ask();
    void collect();
    void dropQuestions();
    void setArea(const QRect &area);

    xcb_connection_t *m_connection = nullptr;
    xcb_window_t m_root = 0;
    xcb_atom_t m_activeAtom = 0;
    xcb_atom_t m_stateAtom = 0;
    xcb_atom_t m_fullScreenAtom = 0;
    xcb_window_t m_active = 0;
    bool m_enabled = false;
    QRect m_area;

    // The questions in flight: the active window first, then its state and
    // place. Answers are read as they arrive.
    enum class Step { Idle, Active, Details };
    Step m_step = Step::Idle;
    bool m_askAgain = false;
    unsigned m_activeCookie = 0;
    unsigned m_stateCookie = 0;
    unsigned m_geometryCookie = 0;
    unsigned m_translateCookie = 0;
    int m_tries = 0;
    QTimer m_poll;
};
