// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ExpansionObserver.h"

#include "platform/NotificationCenter.h"

#include <QVariantMap>

ExpansionObserver::ExpansionObserver(QObject *parent)
    : QObject(parent)
{
    NotificationCenter::defaultCenter().addObserver(
        notificationName(), this, [this](const QVariantMap &info) {
            const auto it = info.constFind(QStringLiteral("expanded"));
            if (it == info.constEnd() || it->typeId() != QMetaType::Bool)
                return;
            if (m_panel && info.value(QStringLiteral("panel")).value<QObject *>() != m_panel)
                return;
            const bool value = it->toBool();
            if (value == m_expanded)
                return;
            m_expanded = value;
            Q_EMIT expandedChanged();
        });
}
