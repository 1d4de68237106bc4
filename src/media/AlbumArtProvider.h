// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QMutex>
#include <QQuickImageProvider>
#include <memory>

// The current album art, shared between the store (main thread) and image
// providers, which QML may call from its loader threads.
class AlbumArtSlot
{
public:
    void set(const QImage &image);
    QImage get() const;

private:
    mutable QMutex m_mutex;
    QImage m_image;
};

// Serves "image://albumart/<serial>": always the store's current art; the
// serial only tells QML that the picture changed.
class AlbumArtProvider : public QQuickImageProvider
{
public:
    explicit AlbumArtProvider(std::shared_ptr<const AlbumArtSlot> slot);
    QImage requestImage(const QString &id, QSize *size, const QSize &requestedSize) override;

private:
    std::shared_ptr<const AlbumArtSlot> m_slot;
};
