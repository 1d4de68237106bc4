// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QUrl>

// Loads a picture from a local file or an HTTPS address. Blocks until done:
// worker threads only. Any failure (other scheme, missing file, network
// error, too large, undecodable) gives a null image.
class ImageLoader
{
public:
    virtual ~ImageLoader() = default;
    virtual QImage load(const QUrl &url) = 0;
};

class NetworkImageLoader : public ImageLoader
{
public:
    // Cover art is a few hundred kilobytes; anything far larger is not art.
    static constexpr qint64 kMaxBytes = 8 * 1024 * 1024;
    static constexpr int kTimeoutMs = 15000;
    // Art is shown small: keep at most this many pixels on a side.
    static constexpr int kMaxSide = 512;

    QImage load(const QUrl &url) override;

    // Decodes and scales down; null when undecodable.
    static QImage decode(const QByteArray &bytes);
};
