// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AlbumArtView.h"

#include <QPainter>
#include <QPainterPath>
#include <QQuickWindow>

AlbumArtView::AlbumArtView(QQuickItem *parent)
    : QQuickPaintedItem(parent)
{
    setAntialiasing(true);
}

void AlbumArtView::setMedia(MediaStore *media)
{
    if (m_media == media)
        return;
    QObject::disconnect(m_artConnection);
    m_media = media;
    if (m_media)
        m_artConnection = connect(m_media, &MediaStore::albumArtChanged, this, &AlbumArtView::takeImage);
    takeImage();
    Q_EMIT mediaChanged();
}

void AlbumArtView::setRadius(double radius)
{
    if (qFuzzyCompare(m_radius, radius))
        return;
    m_radius = radius;
    update();
    Q_EMIT radiusChanged();
}

void AlbumArtView::takeImage()
{
    const bool had = hasImage();
    m_source = m_media ? m_media->albumArt() : QImage();
    m_scaled = QImage();
    update();
    if (had != hasImage())
        Q_EMIT hasImageChanged();
}

QRectF AlbumArtView::cropRect(const QSizeF &sourceSize, const QSizeF &frameSize)
{
    if (sourceSize.isEmpty() || frameSize.isEmpty())
        return {};
    const QSizeF covered = frameSize.scaled(sourceSize, Qt::KeepAspectRatio);
    return QRectF(
        QPointF((sourceSize.width() - covered.width()) / 2, (sourceSize.height() - covered.height()) / 2),
        covered);
}

void AlbumArtView::paint(QPainter *painter)
{
    const QRectF frame(0, 0, width(), height());
    if (m_source.isNull() || frame.isEmpty())
        return;
    const qreal dpr = window() ? window()->effectiveDevicePixelRatio() : 1.0;
    const QSize pixels = (frame.size() * dpr).toSize();
    if (m_scaled.size() != pixels) {
        const QRect crop = cropRect(m_source.size(), frame.size()).toAlignedRect() & m_source.rect();
        m_scaled = m_source.copy(crop).scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        m_scaled.setDevicePixelRatio(dpr);
    }
    painter->setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    QPainterPath shape;
    shape.addRoundedRect(frame, m_radius, m_radius);
    painter->save();
    painter->setClipPath(shape);
    painter->drawImage(frame, m_scaled);
    painter->restore();
    // A 1-point border just inside the edge.
    painter->setPen(QPen(QColor::fromRgbF(1, 1, 1, 0.1f), 1));
    painter->setBrush(Qt::NoBrush);
    const QRectF inner = frame.adjusted(0.5, 0.5, -0.5, -0.5);
    painter->drawRoundedRect(inner, m_radius - 0.5, m_radius - 0.5);
}
