// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPoint>
#include <QQuickWindow>

// The settings window: fixed 400 x 720 (taller than 500 for the General group; the column scrolls should it
// hold more); closing it only hides it, and it comes back where it was left.
class SettingsWindow : public QQuickWindow
{
    Q_OBJECT
public:
    explicit SettingsWindow(QQuickItem *content);
    void centreOn(const QRect &area);
    void reopen();
    void bringToFront();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QPoint m_lastPosition;
    bool m_placed = false;
};
