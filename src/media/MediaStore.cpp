#include "MediaStore.h"

MediaStore::MediaStore(QObject *parent)
    : QObject(parent)
{
}

QString MediaStore::albumArtUrl() const
{
    if (m_albumArt.isNull())
        return {};
    return QStringLiteral("image://albumart/%1").arg(m_albumArtSerial);
}

template<typename T, typename Signal>
static void assign(MediaStore *store, T &field, const T &value, Signal signal)
{
    if (field == value)
        return;
    field = value;
    Q_EMIT(store->*signal)();
}

void MediaStore::setTitle(const QString &v) { assign(this, m_title, v, &MediaStore::titleChanged); }
void MediaStore::setArtist(const QString &v) { assign(this, m_artist, v, &MediaStore::artistChanged); }
void MediaStore::setAlbum(const QString &v) { assign(this, m_album, v, &MediaStore::albumChanged); }
void MediaStore::setAppName(const QString &v) { assign(this, m_appName, v, &MediaStore::appNameChanged); }
void MediaStore::setIsPlaying(bool v) { assign(this, m_isPlaying, v, &MediaStore::isPlayingChanged); }
void MediaStore::setDuration(double v) { assign(this, m_duration, v, &MediaStore::durationChanged); }
void MediaStore::setElapsed(double v) { assign(this, m_elapsed, v, &MediaStore::elapsedChanged); }
void MediaStore::setVolumeValue(float v) { assign(this, m_volume, v, &MediaStore::volumeChanged); }

void MediaStore::setAlbumArt(const QImage &image)
{
    if (image.isNull())
        return;
    m_albumArt = image;
    ++m_albumArtSerial;
    Q_EMIT albumArtChanged();
}

// Placeholders until the sources and commands are built.
void MediaStore::refresh() {}
void MediaStore::togglePlayPause() {}
void MediaStore::nextTrack() {}
void MediaStore::previousTrack() {}
void MediaStore::setVolume(float v)
{
    setVolumeValue(v);
}
