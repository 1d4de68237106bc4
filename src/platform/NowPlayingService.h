// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// What the desktop's now-playing service says about the current track.
struct NowPlayingTrack
{
    QString title;
    QString artist;
    QString album;
    QString displayName;
    double duration = 0; // seconds
    double elapsed = 0; // seconds
    double rate = 0; // 0 unless playing
    QString busName; // the player that reported it, for commands
    QString artUrl;
};

// The desktop's now-playing service. Nothing here blocks: answers come back
// later on the thread that owns the service.
class NowPlayingService : public QObject
{
    Q_OBJECT
public:
    enum class Command { PlayPause, Next, Previous };

    using Answer = std::function<void(const std::optional<NowPlayingTrack> &)>;

    using QObject::QObject;

    // Calls `done` exactly once, never from inside this call: with the
    // chosen player's track, or none when no player answered with a title
    // in time.
    virtual void query(Answer done) = 0;
    // Sends a transport command to one player; `done` runs once it was
    // answered or gave up.
    virtual void send(const QString &busName, Command command, std::function<void()> done) = 0;
    // True while nothing a query would answer can change without
    // playersChanged: polling may rest until then.
    virtual bool quiet() const { return false; }

    // The identity of the player the user chose, "" for the automatic
    // choice; it applies from the next query on.
    void setPreferredIdentity(const QString &identity) { m_preferredIdentity = identity; }
    QString preferredIdentity() const { return m_preferredIdentity; }

Q_SIGNALS:
    // A player changed its track or play state, appeared or went away.
    void playersChanged();
    // The identities of the players that answered a query, sorted, each
    // once; sent as each query ends.
    void playersListed(const QStringList &identities);

private:
    QString m_preferredIdentity;
};
