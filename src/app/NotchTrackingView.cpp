// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "NotchTrackingView.h"

#include <QEnterEvent>
#include <QEvent>
#include <QMouseEvent>

NotchTrackingView::NotchTrackingView(QWindow *window, QObject *parent)
    : QObject(parent)
    , m_window(window)
{
    if (window)
        window->installEventFilter(this);
}

bool NotchTrackingView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window) {
        if (event->type() == QEvent::Enter)
            m_pointer = static_cast<QEnterEvent *>(event)->position();
        else if (event->type() == QEvent::MouseMove)
            m_pointer = static_cast<QMouseEvent *>(event)->position();
        else if (event->type() == QEvent::Leave)
            m_pointer.reset();
        if (event->type() == QEvent::Enter)
            Q_EMIT entered();
        else if (event->type() == QEvent::Leave)
            Q_EMIT left();
        else if (event->type() == QEvent::MouseButtonPress)
            Q_EMIT pressed();
    }
    return QObject::eventFilter(watched, event);
}
