// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHash>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QThreadPool>

// Secrets in the session's Secret Service keyring (GNOME Keyring, KWallet),
// through libsecret, one item per server. Every call runs on a worker thread
// of its own, in order, and answers with a signal on the thread that owns
// this object: the UI never waits on D-Bus or on the keyring.
//
// The keyring counts as there only when its default collection exists and is
// unlocked, checked again right before every write: nothing here ever makes
// the keyring ask for a password.
class SecretKeyring : public QObject
{
    Q_OBJECT
public:
    using Secrets = QHash<QString, QString>; // server -> secret

    // Whether this build can talk to a keyring at all.
    static bool isSupported();

    explicit SecretKeyring(QObject *parent = nullptr);
    ~SecretKeyring() override;

    // Looks for the keyring and reads every secret; answers with loaded().
    // The one item of the older layout, which named no server it belonged
    // to, moves to `olderItemServer`, unless that server has one already.
    void load(const QString &olderItemServer);
    // Writes `secret` for `server` over what it had (an empty one removes the
    // item); answers with stored(). Writes for a server queued behind a
    // running one collapse into the newest.
    void store(const QString &server, const QString &secret);

    // Blocks until every queued call is done (exit, tests).
    void flush();

    static inline const QString kLabel = QStringLiteral("Brivane AI key");

Q_SIGNALS:
    // `available` false: no usable keyring in this session now.
    void loaded(bool available, const SecretKeyring::Secrets &secrets);
    void stored(const QString &server, bool succeeded);

private:
    void writePending();

    QThreadPool m_worker;
    QMutex m_mutex; // guards m_pending, shared with the worker
    Secrets m_pending;
};
