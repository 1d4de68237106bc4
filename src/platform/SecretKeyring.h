// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMutex>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <optional>

// One secret in the session's Secret Service keyring (GNOME Keyring,
// KWallet), through libsecret. Every call runs on a worker thread of its own,
// in order, and answers with a signal on the thread that owns this object: the
// UI never waits on D-Bus or on the keyring.
//
// The keyring counts as there only when its default collection exists and is
// unlocked: nothing here ever makes the keyring ask for a password.
class SecretKeyring : public QObject
{
    Q_OBJECT
public:
    // Whether this build can talk to a keyring at all.
    static bool isSupported();

    explicit SecretKeyring(QObject *parent = nullptr);
    ~SecretKeyring() override;

    // Looks for the keyring and reads the secret; answers with loaded().
    void load();
    // Writes `secret` (an empty one removes the item) labelled with `server`;
    // answers with stored(). Writes queued behind a running one collapse into
    // the newest.
    void store(const QString &secret, const QString &server);

    // Blocks until every queued call is done (exit, tests).
    void flush();

    static inline const QString kLabel = QStringLiteral("Brivane AI key");

Q_SIGNALS:
    // `available` false: no usable keyring in this session.
    void loaded(bool available, const QString &secret);
    void stored(bool succeeded);

private:
    struct Write
    {
        QString secret;
        QString server;
    };
    void writePending();

    QThreadPool m_worker;
    QMutex m_mutex; // guards m_pending, shared with the worker
    std::optional<Write> m_pending;
};
