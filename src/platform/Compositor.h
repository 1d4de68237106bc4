// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QTimer>

// Whether a compositing manager runs, so that transparent window pixels show
// what lies below. Without one they paint black, and shaped windows must cut
// away what should not be seen.
//
// On X11 its selection is followed rather than asked about: the owner is
// asked for once, and from then on the server announces each new one
// (XFixes), so isActive() never waits on the server. Until the first answer
// is in, none is assumed: the collapsed strip then draws nothing either way.
// Wayland always composites; offscreen has no other windows to cover.
class Compositor : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT
public:
    // Made on first use, for the application's lifetime.
    static Compositor &instance();
    ~Compositor() override;

    bool isActive() const { return m_active; }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

Q_SIGNALS:
    void activeChanged();

private:
    explicit Compositor(QObject *parent);
    void collectOwner();
    void setActive(bool active);

    bool m_active = true;
    bool m_filtering = false;
    unsigned m_selection = 0;
    uint8_t m_notifyEvent = 0;
    unsigned m_ownerCookie = 0;
    bool m_ownerPending = false;
    int m_tries = 0;
    QTimer m_poll;
};
