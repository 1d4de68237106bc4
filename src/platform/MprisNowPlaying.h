#pragma once

#include "NowPlayingService.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QHash>
#include <QVariantMap>
#include <memory>

// The now-playing service over MPRIS on the session bus: every player named
// org.mpris.MediaPlayer2.* is asked; one that is Playing beats one that is
// Paused beats the rest, and among equals the one most recently active wins.
class MprisNowPlaying : public NowPlayingService
{
    Q_OBJECT
public:
    static constexpr int kDeadlineMs = 2000;

    explicit MprisNowPlaying(QObject *parent = nullptr);
    MprisNowPlaying(const QDBusConnection &bus, QObject *parent);

    void query(Answer done) override;
    void send(const QString &busName, Command command, std::function<void()> done) override;

    // One player's answer, as read from its properties.
    struct PlayerState
    {
        QString busName;
        QString owner; // unique connection name
        QString status;
        NowPlayingTrack track;
        quint64 activity = 0;
        bool answered = false;
    };
    // Maps the Player interface's properties (and the Identity) to a track.
    static NowPlayingTrack trackFrom(
        const QVariantMap &playerProperties, const QVariant &identity, const QString &busName);
    // The best of the players that answered with a title, or none.
    static std::optional<NowPlayingTrack> choose(const QList<PlayerState> &players);

private Q_SLOTS:
    void onPropertiesChanged(const QDBusMessage &message);
    void onSeeked(const QDBusMessage &message);
    void onNameOwnerChanged(const QString &name, const QString &oldOwner, const QString &newOwner);

private:
    struct Query;
    void askPlayer(const std::shared_ptr<Query> &query, const QString &busName);
    void finish(const std::shared_ptr<Query> &query);
    void noteActivity(const QString &owner);

    QDBusConnection m_bus;
    QHash<QString, quint64> m_activity; // by unique connection name
    quint64 m_activityClock = 0;
};
