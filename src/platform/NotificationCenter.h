// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariantMap>
#include <functional>

// A small synchronous in-process notification centre: post() calls the
// observers of that name, in the order they were added, before it returns.
// An observer tied to a context object goes away with that object.
class NotificationCenter
{
public:
    using Observer = std::function<void(const QVariantMap &userInfo)>;

    static NotificationCenter &defaultCenter();

    int addObserver(const QString &name, QObject *context, Observer observer);
    void removeObserver(int token);
    void post(const QString &name, const QVariantMap &userInfo = {});
    int observerCount(const QString &name) const;

private:
    struct Entry
    {
        int token;
        QPointer<QObject> context;
        bool hasContext;
        Observer observer;
    };
    QHash<QString, QList<Entry>> m_observers;
    int m_nextToken = 1;
};
