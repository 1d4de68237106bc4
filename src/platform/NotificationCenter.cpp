// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "NotificationCenter.h"

NotificationCenter &NotificationCenter::defaultCenter()
{
    static NotificationCenter center;
    return center;
}

int NotificationCenter::addObserver(const QString &name, QObject *context, Observer observer)
{
    const int token = m_nextToken++;
    m_observers[name].append(Entry { token, context, context != nullptr, std::move(observer) });
    if (context)
        QObject::connect(context, &QObject::destroyed, context, [this, token] { removeObserver(token); });
    return token;
}

void NotificationCenter::removeObserver(int token)
{
    for (auto it = m_observers.begin(); it != m_observers.end(); ++it) {
        auto &list = it.value();
        for (qsizetype i = 0; i < list.size(); ++i) {
            if (list.at(i).token == token) {
                list.removeAt(i);
                return;
            }
        }
    }
}

void NotificationCenter::post(const QString &name, const QVariantMap &userInfo)
{
    // Copy first: an observer may add or remove observers while it runs.
    const QList<Entry> entries = m_observers.value(name);
    for (const Entry &entry : entries) {
        if (entry.hasContext && !entry.context)
            continue;
        entry.observer(userInfo);
    }
}

int NotificationCenter::observerCount(const QString &name) const
{
    return int(m_observers.value(name).size());
}
