// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AlbumArtProvider.h"

#include <QMutexLocker>

void AlbumArtSlot::set(const QImage &image)
{
    QMutexLocker lock(&m_mutex);
    m_image = image;
}

QImage AlbumArtSlot::get() const
{
    QMutexLocker lock(&m_mutex);
    return m_image;
}

AlbumArtProvider::AlbumArtProvider(std::shared_ptr<const AlbumArtSlot> slot)
    : QQuickImageProvider(QQuickImageProvider::Image)
    , m_slot(std::move(slot))
{
}

QImage AlbumArtProvider::requestImage(const QString &, QSize *size, const QSize &requestedSize)
{
    QImage image = m_slot->get();
    if (size)
        *size = image.size();
    if (!image.isNull() && requestedSize.isValid() && !requestedSize.isEmpty())
        image = image.scaled(requestedSize, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    return image;
}
