// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <optional>

struct NowPlayingTrack;

// What the media store takes from the now-playing service's answers.
namespace MediaSources {

// One report of a track, applied to the store in one block.
struct TrackUpdate
{
    QString title;
    QString artist;
    QString album;
    QString appName;
    bool isPlaying = false;
    std::optional<double> duration;
    std::optional<double> elapsed;
    QString busName;
    QString artUrl;
};

TrackUpdate serviceUpdate(const NowPlayingTrack &track);

// One client reports an art host that answers 404; its images live on the
// image host.
QString repairArtUrl(const QString &artUrl);

} // namespace MediaSources
