// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <optional>

class ImageLoader;
class ScriptRunner;
struct NowPlayingTrack;

// The script sources of the media store: the script texts sent to the
// players and the browser, and the parsing of what they print. Everything
// here that runs a script blocks: worker threads only.
namespace MediaSources {

// Tab address patterns: a tab matches when its address contains one.
inline const QString youTubeWatchPattern = QStringLiteral("youtube.com/watch");
inline const QString spotifyWebHost = QStringLiteral("open.spotify.com");
inline const QString appleMusicWebHost = QStringLiteral("music.apple.com");
inline const QString soundCloudHost = QStringLiteral("soundcloud.com");
inline const QString youTubeThumbnailBase = QStringLiteral("https://i.ytimg.com/vi/");

// One source's report of a track, applied to the store in one block.
struct TrackUpdate
{
    enum class Kind { Service, Player, Browser };
    Kind kind = Kind::Player;
    QString title;
    QString artist;
    QString album;
    QString appName;
    bool isPlaying = false;
    // Browser tabs know neither: the store keeps what it had.
    std::optional<double> duration;
    std::optional<double> elapsed;
    // Service tracks only.
    QString busName;
    QString artUrl;
};

bool isBrowserLabel(const QString &appName);

// The query for "Music" or "Spotify".
QString playerScript(const QString &label);
QString tabScanScript();
// The JavaScript for a command word in a tab of the given browser label;
// none for any other word.
std::optional<QString> browserJavaScript(const QString &command, bool youTube);
// The script that runs the command's JavaScript in the first matching tab;
// none for an unknown label or command.
std::optional<QString> browserCommandScript(const QString &appName, const QString &command);
// Runs the command's JavaScript in the first tab of the label's site.
void sendChromeCommand(const ScriptRunner &runner, const QString &appName, const QString &command);
// "tell application \"Music\" to <command>" or the Spotify one.
QString playerCommandScript(const QString &appName, const QString &command);
QString youTubeAddressScript();
QString musicArtScript();
QString spotifyArtScript();
QString volumeScript(int percent);

// A decimal number exactly as written (no surrounding space, no comma);
// none otherwise.
std::optional<double> readNumber(const QString &field);
// A player query's output: none unless it has at least 4 fields and a name.
std::optional<TrackUpdate> parsePlayerOutput(const QString &output, const QString &label);
// The tab scan's output: none unless it has a title and a label.
std::optional<TrackUpdate> parseTabOutput(const QString &output);
// The tab title without the site suffixes.
QString cleanTabTitle(QString title);
TrackUpdate serviceUpdate(const NowPlayingTrack &track);

// Music, then Spotify, then the browser tabs; the first track found.
std::optional<TrackUpdate> tryOsascript(const ScriptRunner &runner);
std::optional<TrackUpdate> tryChrome(const ScriptRunner &runner);

// The text after the first "v=" up to the next "&"; none without "v=".
std::optional<QString> videoId(const QString &address);
// Art through the script routes for a source label; null when it has none.
QImage fetchScriptArt(const QString &appName, const ScriptRunner &runner, ImageLoader &loader);
// One client reports an art host that answers 404; its images live on the
// image host.
QString repairArtUrl(const QString &artUrl);

} // namespace MediaSources
