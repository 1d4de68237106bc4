#pragma once

#include <QImage>
#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

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
    // The media panel advances it once a second while playing.
    Q_PROPERTY(double elapsed READ elapsed WRITE setElapsed NOTIFY elapsedChanged)
    // The volume slider's value, 0 to 1.
    Q_PROPERTY(float volume READ volume WRITE setVolumeValue NOTIFY volumeChanged)
    Q_PROPERTY(bool hasAlbumArt READ hasAlbumArt NOTIFY albumArtChanged)
    // An image-provider address that changes with every new image.
    Q_PROPERTY(QString albumArtUrl READ albumArtUrl NOTIFY albumArtChanged)
public:
    explicit MediaStore(QObject *parent = nullptr);

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
    QString albumArtUrl() const;

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

    Q_INVOKABLE void refresh();
    Q_INVOKABLE void togglePlayPause();
    Q_INVOKABLE void nextTrack();
    Q_INVOKABLE void previousTrack();
    // Sets the system output volume from a slider value 0 to 1.
    Q_INVOKABLE void setVolume(float v);

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

private:
    QString m_title;
    QString m_artist;
    QString m_album;
    QString m_appName;
    bool m_isPlaying = false;
    double m_duration = 0;
    double m_elapsed = 0;
    float m_volume = 0.5f;
    QImage m_albumArt;
    int m_albumArtSerial = 0;
};
