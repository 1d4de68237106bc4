// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MediaSources.h"

#include "platform/NowPlayingService.h"

namespace MediaSources {

TrackUpdate serviceUpdate(const NowPlayingTrack &track)
{
    TrackUpdate update;
    update.title = track.title;
    update.artist = track.artist;
    update.album = track.album;
    update.appName = track.displayName;
    update.duration = track.duration;
    update.elapsed = track.elapsed;
    update.isPlaying = track.rate > 0;
    update.busName = track.busName;
    update.artUrl = track.artUrl;
    return update;
}

QString repairArtUrl(const QString &artUrl)
{
    static const QString brokenHost = QStringLiteral("https://open.spotify.com/image/");
    if (artUrl.startsWith(brokenHost))
        return QStringLiteral("https://i.scdn.co/image/") + artUrl.mid(brokenHost.size());
    return artUrl;
}

} // namespace MediaSources
