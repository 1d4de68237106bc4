// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DesktopNotice.h"

#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

namespace DesktopNotice {

void send(const QDBusConnection &bus, const QString &summary, const QString &body)
{
    QDBusMessage notify = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"), QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("Notify"));
    // app name, replaces id, icon, summary, body, actions, hints, timeout
    // (-1: the server's own).
    notify << QStringLiteral("Brivane") << 0u << QStringLiteral("org.brivane.Brivane") << summary << body
           << QStringList()
           << QVariantMap { { QStringLiteral("desktop-entry"), QStringLiteral("org.brivane.Brivane") } }
           << -1;
    notify.setAutoStartService(false);
    bus.send(notify);
}

} // namespace DesktopNotice
