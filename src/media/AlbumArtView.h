// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "MediaStore.h"

#include <QImage>
#include <QPointer>
#include <QQuickPaintedItem>
#include <QtQml/qqmlregistration.h>

// The current track's art, filling its rounded frame with its aspect ratio
// kept (cropped), with a thin light border. Painted here, since clipping an
// image to rounded corners in QML would need a shader.
class AlbumArtView : public QQuickPaintedItem
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(MediaStore *media READ media WRITE setMedia NOTIFY mediaChanged)
    Q_PROPERTY(double radius READ radius WRITE setRadius NOTIFY radiusChanged)
    Q_PROPERTY(bool hasImage READ hasImage NOTIFY hasImageChanged)
public:
    explicit AlbumArtView(QQuickItem *parent = nullptr);

    MediaStore *media() const { return m_media; }
    void setMedia(MediaStore *media);
    double radius() const { return m_radius; }
    void setRadius(double radius);
    bool hasImage() const { return !m_source.isNull(); }

    // The part of an image of sourceSize that fills a frame of frameSize
    // without letterboxing, centred.
    static QRectF cropRect(const QSizeF &sourceSize, const QSizeF &frameSize);

    void paint(QPainter *painter) override;

Q_SIGNALS:
    void mediaChanged();
    void radiusChanged();
    void hasImageChanged();

private:
    void takeImage();

    QPointer<MediaStore> m_media;
    QMetaObject::Connection m_artConnection;
    QImage m_source;
    // The source cropped and scaled once per size, so repaints stay cheap.
    QImage m_scaled;
    double m_radius = 14;
};
