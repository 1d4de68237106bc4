// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "MediaSources.h"
#include "platform/NowPlayingService.h"

#include <QColor>
#include <QImage>
#include <QObject>
#include <QQuickImageProvider>
#include <QString>
#include <QStringList>
#include <QThreadPool>
#include <QTimer>
#include <QtQml/qqmlregistration.h>
#include <functional>
#include <memory>
#include <optional>

class AlbumArtSlot;
class ImageLoader;
class VolumeControl;

// What the store talks to. Tests hand in fakes; defaults are the desktop's.
struct MediaBackends
{
    std::shared_ptr<NowPlayingService> service;
    std::shared_ptr<VolumeControl> volume;
    std::shared_ptr<ImageLoader> images;
    // Off in tests that drive refresh() themselves. A store with no backends
    // at all is inert: views can be tested on it with the setters.
    bool autoPoll = true;

    // MPRIS, wpctl or pactl, and files or HTTPS for art.
    static MediaBackends system();
};

// What is playing on the desktop and where. Views read the published fields
// and call the operations; only the store and its sources write the track.
class MediaStore : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Created by the application delegate")
    Q_PROPERTY(QString title READ title NOTIFY titleChanged)
    Q_PROPERTY(QString artist READ artist NOTIFY artistChanged)
    Q_PROPERTY(QString album READ album NOTIFY albumChanged)
    Q_PROPERTY(QString appName READ appName NOTIFY appNameChanged)
    Q_PROPERTY(bool isPlaying READ isPlaying NOTIFY isPlayingChanged)
    Q_PROPERTY(double duration READ duration NOTIFY durationChanged)
    // The position: the last one reported, carried on by the clock while
    // playing each time the panel asks (showElapsed).
    Q_PROPERTY(double elapsed READ elapsed WRITE setElapsed NOTIFY elapsedChanged)
    // The volume slider's value, 0 to 1.
    Q_PROPERTY(float volume READ volume WRITE setVolumeValue NOTIFY volumeChanged)
    Q_PROPERTY(bool hasAlbumArt READ hasAlbumArt NOTIFY albumArtChanged)
    // The art's own colour, lit for a dark ground; invalid without art.
    Q_PROPERTY(QColor artTint READ artTint NOTIFY albumArtChanged)
    // An image-provider address that changes with every new image.
    Q_PROPERTY(QString albumArtUrl READ albumArtUrl NOTIFY albumArtChanged)
    // The identities of the players on the bus, sorted, each once.
    Q_PROPERTY(QStringList players READ players NOTIFY playersChanged)
    // The identity of the player to show while it is there, "" for the
    // automatic choice.
    Q_PROPERTY(
        QString preferredPlayer READ preferredPlayer WRITE setPreferredPlayer NOTIFY preferredPlayerChanged)
    // What a player choice offers besides the automatic one: the players on
    // the bus, and the preferred one while it is away, so it stays in view.
    Q_PROPERTY(QStringList playerChoices READ playerChoices NOTIFY playerChoicesChanged)
public:
    explicit MediaStore(QObject *parent = nullptr);
    explicit MediaStore(MediaBackends backends, QObject *parent = nullptr);
    ~MediaStore() override;

    static constexpr int kFirstPollMs = 500;
    static constexpr int kPollIntervalMs = 2000;
    static constexpr int kAfterCommandMs = 500;

    QString title() const { return m_title; }
    QString artist() const { return m_artist; }
    QString album() const { return m_album; }
    QString appName() const { return m_appName; }
    bool isPlaying() const { return m_isPlaying; }
    double duration() const { return m_duration; }
    double elapsed() const { return m_elapsed; }
    float volume() const { return m_volume; }
    QImage albumArt() const { return m_albumArt; }
    bool hasAlbumArt() const { return !m_albumArt.isNull(); }
    QColor artTint() const { return m_artTint; }
    static QColor tintOf(const QImage &image);
    QString albumArtUrl() const;
    QStringList players() const { return m_players; }
    QString preferredPlayer() const { return m_preferredPlayer; }
    QStringList playerChoices() const { return m_playerChoices; }

    void setTitle(const QString &title);
    void setArtist(const QString &artist);
    void setAlbum(const QString &album);
    void setAppName(const QString &appName);
    void setIsPlaying(bool isPlaying);
    void setDuration(double duration);
    void setElapsed(double elapsed);
    void setVolumeValue(float volume);
    // Replaces the art; a null image is ignored (art is never cleared).
    void setAlbumArt(const QImage &image);
    void setPlayers(const QStringList &players);
    // Takes effect at once: a poll tick starts (or follows the one running).
    void setPreferredPlayer(const QString &identity);

    // A new image provider that serves this store's current art; the engine
    // that adds it owns it. Register it under the name "albumart".
    QQuickImageProvider *createAlbumArtProvider() const;

    // One poll tick: asks the now-playing service for its track. A tick
    // that is asked for while one runs follows once it ends.
    Q_INVOKABLE void refresh();
    Q_INVOKABLE void togglePlayPause();
    Q_INVOKABLE void nextTrack();
    Q_INVOKABLE void previousTrack();
    // Sets the system output volume from a slider value 0 to 1.
    Q_INVOKABLE void setVolume(float v);
    // The volume slider moved: only the slider's field follows (clamped to
    // 0..1); the system volume is set when an edit starts and when it ends.
    Q_INVOKABLE void moveVolume(double value);
    // Shows the position the clock gives now; the panel's timer calls it.
    Q_INVOKABLE void showElapsed();

    // Milliseconds from a fixed point, never going back; tests set their own.
    using Clock = std::function<qint64()>;
    void setClock(Clock clock) { m_now = std::move(clock); }

Q_SIGNALS:
    void titleChanged();
    void artistChanged();
    void albumChanged();
    void appNameChanged();
    void isPlayingChanged();
    void durationChanged();
    void elapsedChanged();
    void volumeChanged();
    void albumArtChanged();
    void playersChanged();
    void preferredPlayerChanged();
    void playerChoicesChanged();
    // A poll tick ended, with or without a track.
    void tickFinished(bool found);

private:
    void tryMediaRemote();
    void finishTick(const std::optional<MediaSources::TrackUpdate> &update);
    void apply(const MediaSources::TrackUpdate &update);
    void fetchAlbumArt();
    // Rests the poll timer while the service is quiet, runs it otherwise.
    void schedulePolls();
    void startArtFetch(std::function<QImage()> fetch);
    void sendCommand(NowPlayingService::Command command);
    void refreshSoon();
    void readSystemVolume();
    void updatePlayerChoices();

    MediaBackends m_backends;
    std::shared_ptr<AlbumArtSlot> m_artSlot;
    QTimer m_pollTimer;
    QTimer m_soonTimer;
    // Volume changes run one after another, so the last one wins.
    QThreadPool m_volumeQueue;
    bool m_tickRunning = false;
    bool m_refreshAgain = false;
    bool m_volumeTouched = false;
    quint64 m_artGeneration = 0;

    // The player of the current track, for commands, and its art.
    QString m_busName;
    QString m_artUrl;
    QString m_lastTitle;
    QString m_lastArtUrl;

    QString m_title;
    QString m_artist;
    QString m_album;
    QString m_appName;
    bool m_isPlaying = false;
    double m_duration = 0;
    double m_elapsed = 0;
    // The position last reported (or set), and when.
    double m_reportedElapsed = 0;
    qint64 m_reportedAt = 0;
    Clock m_now;
    float m_volume = 0.5f;
    QImage m_albumArt;
    QColor m_artTint;
    int m_albumArtSerial = 0;
    QStringList m_players;
    QString m_preferredPlayer;
    QStringList m_playerChoices;
};
