// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SettingsWindow.h"

#include "platform/PanelHints.h"

#include <QCloseEvent>
#include <QQuickItem>

SettingsWindow::SettingsWindow(QQuickItem *content)
{
    setTitle(tr("Brivane Settings"));
    // An ordinary top-level window: a dialog would be kept above everything,
    // transient for Qt's hidden leader window, and left out of task bars.
    setFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
        | Qt::WindowMinimizeButtonHint);
    const QSize size(400, 720);
    resize(size);
    setMinimumSize(size);
    setMaximumSize(size);
    if (content) {
        content->setParent(contentItem());
        content->setParentItem(contentItem());
        content->setSize(QSizeF(size));
    }
}

void SettingsWindow::centreOn(const QRect &area)
{
    setPosition(area.center() - QPoint(width() / 2, height() / 2));
    m_lastPosition = position();
    m_placed = true;
}

void SettingsWindow::reopen()
{
    if (m_placed)
        setPosition(m_lastPosition);
    showNormal();
    raise();
    requestActivate();
}

void SettingsWindow::bringToFront()
{
    raise();
    // Asked as a pager would: for a window already shown, a window manager
    // may turn an application's own request into an attention request
    // (mutter does).
    PanelHints::activate(this);
}

void SettingsWindow::closeEvent(QCloseEvent *event)
{
    // Hide instead of destroying, so the same window returns where it was.
    event->ignore();
    m_lastPosition = position();
    hide();
}
