// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QPointer>
#include <QWindow>
#include <optional>

// Reports the pointer entering and leaving a window. The window's input
// region is exactly the panel's frame in each state, so the window's own
// enter and leave events are the tracked area.
class NotchTrackingView : public QObject
{
    Q_OBJECT
public:
    explicit NotchTrackingView(QWindow *window, QObject *parent = nullptr);

    // Where the pointer was last seen over the window, in its coordinates;
    // none once it has left.
    std::optional<QPointF> pointer() const { return m_pointer; }

Q_SIGNALS:
    void entered();
    void left();
    void pressed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWindow> m_window;
    std::optional<QPointF> m_pointer;
};
