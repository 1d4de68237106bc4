// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "NowPlayingService.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QHash>
#include <QSet>
#include <QVariantMap>
#include <memory>

// The now-playing service over MPRIS on the session bus: every player named
// org.mpris.MediaPlayer2.* is asked; one that is Playing beats one that is
// Paused beats the rest, and among equals the one most recently active wins;
// a player the user chose by its identity wins over all while it is there.
// A player that has announced a change itself is trusted to announce the
// rest: its properties are kept from the last full read and its signals, and
// each poll asks it for the position alone (the one property players do not
// announce). Players that announce nothing are read in full each time.
class MprisNowPlaying : public NowPlayingService
{
    Q_OBJECT
public:
    static constexpr int kDeadlineMs = 2000;

    explicit MprisNowPlaying(QObject *parent = nullptr);
    MprisNowPlaying(const QDBusConnection &bus, QObject *parent);

    void query(Answer done) override;
    void send(const QString &busName, Command command, std::function<void()> done) override;
    // No player, or only players that announce their changes and do not
    // play (a playing one moves its position without a word).
    bool quiet() const override;

    // One player's answer, as read from its properties.
    struct PlayerState
    {
        QString busName;
        QString owner; // unique connection name
        QString status;
        NowPlayingTrack track;
        quint64 activity = 0;
        bool answered = false;
        bool readInFull = false; // this query's GetAll answered
    };
    // Maps the Player interface's properties (and the Identity) to a track.
    static NowPlayingTrack trackFrom(
        const QVariantMap &playerProperties, const QVariant &identity, const QString &busName);
    // The best of the players that answered with a title, or none. A player
    // whose listed identity is `preferred` beats all others while it has a
    // title to show; without one the automatic choice applies.
    static std::optional<NowPlayingTrack> choose(
        const QList<PlayerState> &players, const QString &preferred = QString());
    // An identity as listed and matched: one line, trimmed and bounded, since
    // the player chooses it.
    static QString listedIdentity(const QString &identity);
    static constexpr qsizetype kMaxIdentityLength = 100;

private Q_SLOTS:
    void onPropertiesChanged(const QDBusMessage &message);
    void onSeeked(const QDBusMessage &message);
    void onNameOwnerChanged(const QString &name, const QString &oldOwner, const QString &newOwner);

private:
    struct Query;
    void askPlayer(const std::shared_ptr<Query> &query, const QString &busName);
    void askPosition(const std::shared_ptr<Query> &query, const QString &busName, const QString &owner);
    // Keeps a player's full read under its connection, once both are known.
    void rememberFullRead(const std::shared_ptr<Query> &query, const QString &busName);
    void finish(const std::shared_ptr<Query> &query);
    void noteActivity(const QString &owner);
    void forgetOwner(const QString &owner);

    // What a player last said, by unique connection name.
    struct Known
    {
        QVariantMap properties; // the Player interface's
        QVariant identity;
        bool complete = false; // a full read is held and not since invalidated
        bool announces = false; // it has sent PropertiesChanged
    };

    QDBusConnection m_bus;
    QHash<QString, quint64> m_activity; // by unique connection name
    QHash<QString, Known> m_known; // by unique connection name
    QHash<QString, QString> m_owners; // well-known name to unique name, as last read
    quint64 m_activityClock = 0;
    QSet<QString> m_names; // the players' well-known names, once listed
    bool m_namesListed = false;
};
