// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QLocalServer;

// Keeps Brivane to one instance per session. The first instance owns a
// well-known name on the session bus and exports org.freedesktop.Application;
// a second launch calls Activate on it. Without a session bus a local socket
// in the user's runtime directory stands in.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    explicit SingleInstance(const QString &serviceName, QObject *parent = nullptr);
    ~SingleInstance() override;

    // Tries to become the primary instance; false when another one runs.
    bool claim();
    // As a secondary instance: asks the primary to activate, then calls done.
    void activatePrimary(std::function<void(bool delivered)> done);
    // As a secondary instance: asks the primary to run one of its actions
    // (org.freedesktop.Application's ActivateAction), then calls done.
    void activatePrimaryAction(const QString &action, std::function<void(bool delivered)> done);

    bool usesSessionBus() const { return m_onBus; }
    QString objectPath() const;
    QString socketPath() const;

Q_SIGNALS:
    void activateRequested();
    // An action by name, such as "toggle"; unknown names are the caller's to
    // ignore.
    void actionRequested(const QString &name);

private:
    bool claimLocalSocket();
    void callPrimary(const QString &method, const QVariantList &arguments, const QByteArray &line,
        std::function<void(bool)> done);

    QString m_serviceName;
    bool m_onBus = false;
    QLocalServer *m_server = nullptr;
};
