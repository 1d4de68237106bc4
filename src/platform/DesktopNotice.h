// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDBusConnection>
#include <QString>

// A notice in the desktop's notification area (the freedesktop
// Notifications service), for what the user should know without opening
// Brivane's settings window. Sent without waiting for an answer; nothing
// happens where no notification service runs.
namespace DesktopNotice {

void send(const QDBusConnection &bus, const QString &summary, const QString &body);

} // namespace DesktopNotice
