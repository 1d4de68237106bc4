// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MediaStore.h"

#include "AlbumArtProvider.h"
#include "MediaFormat.h"
#include "platform/ImageLoader.h"
#include "platform/MprisNowPlaying.h"
#include "platform/VolumeControl.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMetaObject>
#include <QPointer>
#include <algorithm>
#include <cmath>
#include <utility>

using MediaSources::TrackUpdate;

namespace {

// Worker results come back through the application object, which outlives
// every store; the store itself is checked on the main thread only.
void postToMain(std::function<void()> block)
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(block), Qt::QueuedConnection);
}

} // namespace

MediaBackends MediaBackends::system()
{
    MediaBackends backends;
    backends.service = std::make_shared<MprisNowPlaying>();
    backends.volume = std::make_shared<SystemVolume>();
    backends.images = std::make_shared<NetworkImageLoader>();
    return backends;
}

MediaStore::MediaStore(QObject *parent)
    : MediaStore(MediaBackends::system(), parent)
{
}

MediaStore::MediaStore(MediaBackends backends, QObject *parent)
    : QObject(parent)
    , m_backends(std::move(backends))
    , m_artSlot(std::make_shared<AlbumArtSlot>())
    , m_pollTimer(this)
    , m_soonTimer(this)
    , m_now([] {
        static const QElapsedTimer clock = [] {
            QElapsedTimer started;
            started.start();
            return started;
        }();
        return clock.elapsed();
    })
{
    m_volumeQueue.setMaxThreadCount(1);
    m_volumeQueue.setExpiryTimeout(5000);

    m_pollTimer.setObjectName(QStringLiteral("pollTimer"));
    m_pollTimer.setInterval(kPollIntervalMs);
    connect(&m_pollTimer, &QTimer::timeout, this, &MediaStore::refresh);

    // A burst of player signals makes one refresh.
    m_soonTimer.setObjectName(QStringLiteral("soonTimer"));
    m_soonTimer.setSingleShot(true);
    m_soonTimer.setInterval(50);
    connect(&m_soonTimer, &QTimer::timeout, this, &MediaStore::refresh);
    if (m_backends.service) {
        connect(m_backends.service.get(), &NowPlayingService::playersChanged, this, &MediaStore::refreshSoon);
        connect(m_backends.service.get(), &NowPlayingService::playersListed, this, &MediaStore::setPlayers);
    }

    if (m_backends.autoPoll) {
        m_pollTimer.start();
        // Asking the players and the sound server (a process) waits until
        // the strip is on screen.
        QTimer::singleShot(kFirstPollMs, this, [this] {
            refresh();
            readSystemVolume();
        });
    }
}

MediaStore::~MediaStore()
{
    m_volumeQueue.clear();
    m_volumeQueue.waitForDone();
}

QString MediaStore::albumArtUrl() const
{
    if (m_albumArt.isNull())
        return {};
    return QStringLiteral("image://albumart/%1").arg(m_albumArtSerial);
}

QQuickImageProvider *MediaStore::createAlbumArtProvider() const
{
    return new AlbumArtProvider(m_artSlot);
}

template<typename T, typename Signal>
static void assign(MediaStore *store, T &field, const T &value, Signal signal)
{
    if (field == value)
        return;
    field = value;
    Q_EMIT(store->*signal)();
}

void MediaStore::setTitle(const QString &v)
{
    assign(this, m_title, v, &MediaStore::titleChanged);
}
void MediaStore::setArtist(const QString &v)
{
    assign(this, m_artist, v, &MediaStore::artistChanged);
}
void MediaStore::setAlbum(const QString &v)
{
    assign(this, m_album, v, &MediaStore::albumChanged);
}
void MediaStore::setAppName(const QString &v)
{
    assign(this, m_appName, v, &MediaStore::appNameChanged);
}
void MediaStore::setIsPlaying(bool v)
{
    if (v == m_isPlaying)
        return;
    // Playing or paused from here: the clock counts from the position shown.
    showElapsed();
    m_reportedElapsed = m_elapsed;
    m_reportedAt = m_now();
    assign(this, m_isPlaying, v, &MediaStore::isPlayingChanged);
}
void MediaStore::setDuration(double v)
{
    assign(this, m_duration, v, &MediaStore::durationChanged);
}
void MediaStore::setElapsed(double v)
{
    m_reportedElapsed = v;
    m_reportedAt = m_now();
    assign(this, m_elapsed, v, &MediaStore::elapsedChanged);
}

void MediaStore::showElapsed()
{
    if (!m_isPlaying)
        return;
    const double since = double(m_now() - m_reportedAt) / 1000.0;
    assign(this, m_elapsed, MediaFormat::elapsedAfter(m_reportedElapsed, since, m_duration),
        &MediaStore::elapsedChanged);
}

void MediaStore::moveVolume(double value)
{
    if (std::isfinite(value))
        setVolumeValue(static_cast<float>(std::clamp(value, 0.0, 1.0)));
}

void MediaStore::setVolumeValue(float v)
{
    // Once the user has moved the slider, the start-up reading must not undo it.
    m_volumeTouched = true;
    assign(this, m_volume, v, &MediaStore::volumeChanged);
}

void MediaStore::setAlbumArt(const QImage &image)
{
    if (image.isNull())
        return;
    m_albumArt = image;
    m_artTint = tintOf(image);
    m_artSlot->set(image);
    ++m_albumArtSerial;
    Q_EMIT albumArtChanged();
}

QColor MediaStore::tintOf(const QImage &image)
{
    if (image.isNull())
        return {};
    const QImage small = image.scaled(8, 8, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                             .convertToFormat(QImage::Format_RGB32);
    double r = 0, g = 0, b = 0;
    for (int y = 0; y < small.height(); ++y) {
        for (int x = 0; x < small.width(); ++x) {
            const QRgb pixel = small.pixel(x, y);
            r += qRed(pixel);
            g += qGreen(pixel);
            b += qBlue(pixel);
        }
    }
    const double n = double(small.width()) * small.height() * 255;
    const QColor mean = QColor::fromRgbF(float(r / n), float(g / n), float(b / n));
    // Dark or grey art would vanish on the dark strip: lift its brightness.
    return QColor::fromHsvF(mean.hsvHueF(), mean.hsvSaturationF(), std::max(0.75f, mean.valueF()));
}

void MediaStore::setPlayers(const QStringList &players)
{
    assign(this, m_players, players, &MediaStore::playersChanged);
    updatePlayerChoices();
}

void MediaStore::updatePlayerChoices()
{
    QStringList choices = m_players;
    if (!m_preferredPlayer.isEmpty() && !choices.contains(m_preferredPlayer)) {
        choices << m_preferredPlayer;
        choices.sort();
    }
    assign(this, m_playerChoices, choices, &MediaStore::playerChoicesChanged);
}

void MediaStore::setPreferredPlayer(const QString &identity)
{
    if (identity == m_preferredPlayer)
        return;
    m_preferredPlayer = identity;
    if (m_backends.service)
        m_backends.service->setPreferredIdentity(identity);
    Q_EMIT preferredPlayerChanged();
    updatePlayerChoices();
    refresh();
}

void MediaStore::refresh()
{
    if (m_tickRunning) {
        m_refreshAgain = true;
        return;
    }
    tryMediaRemote();
}

void MediaStore::refreshSoon()
{
    if (!m_soonTimer.isActive())
        m_soonTimer.start();
}

// Opens a tick by asking the now-playing service; its answer, or the end of
// its deadline, ends the tick.
void MediaStore::tryMediaRemote()
{
    m_tickRunning = true;
    if (!m_backends.service) {
        finishTick(std::nullopt);
        return;
    }
    QPointer<MediaStore> self(this);
    m_backends.service->query([self](const std::optional<NowPlayingTrack> &track) {
        if (!self)
            return;
        if (track && !track->title.isEmpty())
            self->finishTick(MediaSources::serviceUpdate(*track));
        else
            self->finishTick(std::nullopt);
    });
}

void MediaStore::finishTick(const std::optional<TrackUpdate> &update)
{
    if (update) {
        // The art check sees the fields as they were before this tick's
        // track, so new art is asked for on the tick after a change.
        fetchAlbumArt();
        apply(*update);
    }
    m_tickRunning = false;
    schedulePolls();
    Q_EMIT tickFinished(update.has_value());
    if (std::exchange(m_refreshAgain, false))
        tryMediaRemote();
}

void MediaStore::schedulePolls()
{
    if (!m_backends.autoPoll)
        return;
    // A quiet service wakes us by playersChanged; the art of a new track is
    // still asked for on the next tick.
    const bool artPending = m_title != m_lastTitle || m_artUrl != m_lastArtUrl;
    if (m_backends.service && m_backends.service->quiet() && !artPending)
        m_pollTimer.stop();
    else if (!m_pollTimer.isActive())
        m_pollTimer.start();
}

void MediaStore::apply(const TrackUpdate &update)
{
    setTitle(update.title);
    setArtist(update.artist);
    setAlbum(update.album);
    setAppName(update.appName);
    setDuration(update.duration.value_or(0));
    setElapsed(update.elapsed.value_or(0));
    setIsPlaying(update.isPlaying);
    m_busName = update.busName;
    m_artUrl = update.artUrl;
}

void MediaStore::fetchAlbumArt()
{
    // Players often name the art a moment after the title: a new art
    // address counts as much as a new title.
    if (m_title == m_lastTitle && m_artUrl == m_lastArtUrl)
        return;
    m_lastTitle = m_title;
    m_lastArtUrl = m_artUrl;
    const std::shared_ptr<ImageLoader> images = m_backends.images;
    const QUrl url(MediaSources::repairArtUrl(m_artUrl), QUrl::StrictMode);
    if (!images || m_artUrl.isEmpty() || !url.isValid())
        return;
    startArtFetch([images, url] { return images->load(url); });
}

void MediaStore::startArtFetch(std::function<QImage()> fetch)
{
    // Only the newest fetch may set the art: a slow one for an earlier track
    // must not replace the current track's picture.
    const quint64 generation = ++m_artGeneration;
    QPointer<MediaStore> self(this);
    QThreadPool::globalInstance()->start([self, generation, fetch = std::move(fetch)] {
        const QImage image = fetch();
        if (image.isNull())
            return;
        postToMain([self, generation, image] {
            if (self && self->m_artGeneration == generation)
                self->setAlbumArt(image);
        });
    });
}

void MediaStore::togglePlayPause()
{
    sendCommand(NowPlayingService::Command::PlayPause);
}

void MediaStore::nextTrack()
{
    sendCommand(NowPlayingService::Command::Next);
}

void MediaStore::previousTrack()
{
    sendCommand(NowPlayingService::Command::Previous);
}

void MediaStore::sendCommand(NowPlayingService::Command command)
{
    QPointer<MediaStore> self(this);
    auto refreshLater = [self] {
        if (self)
            QTimer::singleShot(kAfterCommandMs, self, &MediaStore::refresh);
    };
    // Commands go to the player that reported the track shown; before one
    // has, there is nobody to ask.
    if (!m_backends.service || m_busName.isEmpty()) {
        refreshLater();
        return;
    }
    m_backends.service->send(m_busName, command, refreshLater);
}

void MediaStore::setVolume(float v)
{
    setVolumeValue(v);
    // Single precision, truncated: 0.999 gives 99. Out-of-range values (and
    // NaN) are held to 0..100 so a stray call cannot push the output past full.
    const float scaled = v * 100.0f;
    int percent = 0;
    if (scaled >= 100.0f)
        percent = 100;
    else if (scaled > 0.0f)
        percent = static_cast<int>(scaled);
    const std::shared_ptr<VolumeControl> volume = m_backends.volume;
    m_volumeQueue.start([volume, percent] {
        if (volume && volume->available())
            volume->setPercent(percent);
    });
}

void MediaStore::readSystemVolume()
{
    const std::shared_ptr<VolumeControl> volume = m_backends.volume;
    if (!volume)
        return;
    QPointer<MediaStore> self(this);
    m_volumeQueue.start([self, volume] {
        if (!volume->available())
            return;
        const std::optional<int> percent = volume->readPercent();
        if (!percent)
            return;
        const float value = std::clamp(*percent, 0, 100) / 100.0f;
        postToMain([self, value] {
            if (self && !self->m_volumeTouched)
                assign(self.data(), self->m_volume, value, &MediaStore::volumeChanged);
        });
    });
}
