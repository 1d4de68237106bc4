// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MediaSources.h"

#include "app/Text.h"
#include "platform/ImageLoader.h"
#include "platform/NowPlayingService.h"
#include "platform/ScriptRunner.h"

#include <QUrl>
#include <cmath>
#include <initializer_list>
#include <utility>

namespace MediaSources {

namespace {

const QString kSeparator = QStringLiteral("|||");

// Script lines with their indentation level (four spaces each), joined by
// single line feeds.
QString scriptLines(std::initializer_list<std::pair<int, QString>> lines)
{
    QStringList out;
    for (const auto &[level, text] : lines)
        out << QString(level * 4, QLatin1Char(' ')) + text;
    return out.join(QLatin1Char('\n'));
}

std::optional<QString> patternFor(const QString &appName)
{
    if (appName == QLatin1String("YouTube"))
        return youTubeWatchPattern;
    if (appName == QLatin1String("Spotify Web"))
        return spotifyWebHost;
    if (appName == QLatin1String("Apple Music Web"))
        return appleMusicWebHost;
    if (appName == QLatin1String("SoundCloud"))
        return soundCloudHost;
    return std::nullopt;
}

QUrl absoluteUrl(const QString &address)
{
    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid() || url.isRelative())
        return {};
    return url;
}

} // namespace

bool isBrowserLabel(const QString &appName)
{
    return patternFor(appName).has_value();
}

QString playerScript(const QString &label)
{
    return QStringLiteral("tell application \"") + label
        + QStringLiteral(
            "\" to if it is running then return (get name of current track) & \"|||\" & "
            "(get artist of current track) & \"|||\" & (get album of current track) & \"|||\" & "
            "((player state is playing) as text) & \"|||\" & (duration of current track as text) & "
            "\"|||\" & (player position as text)");
}

QString tabScanScript()
{
    return scriptLines({
        { 0, QStringLiteral("tell application \"Google Chrome\"") },
        { 1, QStringLiteral("if it is not running then return \"\"") },
        { 1, QStringLiteral("set tabInfo to \"\"") },
        { 1, QStringLiteral("repeat with w in windows") },
        { 2, QStringLiteral("repeat with t in tabs of w") },
        { 3, QStringLiteral("set u to URL of t") },
        { 3, QStringLiteral("if u contains \"") + youTubeWatchPattern + QStringLiteral("\" then") },
        { 4, QStringLiteral("set tabInfo to (title of t) & \"|||YouTube\"") },
        { 4, QStringLiteral("return tabInfo") },
        { 3, QStringLiteral("else if u contains \"") + spotifyWebHost + QStringLiteral("\" then") },
        { 4, QStringLiteral("set tabInfo to (title of t) & \"|||Spotify Web\"") },
        { 4, QStringLiteral("return tabInfo") },
        { 3, QStringLiteral("else if u contains \"") + appleMusicWebHost + QStringLiteral("\" then") },
        { 4, QStringLiteral("set tabInfo to (title of t) & \"|||Apple Music Web\"") },
        { 4, QStringLiteral("return tabInfo") },
        { 3, QStringLiteral("else if u contains \"") + soundCloudHost + QStringLiteral("\" then") },
        { 4, QStringLiteral("set tabInfo to (title of t) & \"|||SoundCloud\"") },
        { 4, QStringLiteral("return tabInfo") },
        { 3, QStringLiteral("end if") },
        { 2, QStringLiteral("end repeat") },
        { 1, QStringLiteral("end repeat") },
        { 1, QStringLiteral("return tabInfo") },
        { 0, QStringLiteral("end tell") },
    });
}

std::optional<QString> browserJavaScript(const QString &command, bool youTube)
{
    if (command == QLatin1String("playpause")) {
        return youTube ? QStringLiteral(
                   "document.querySelector('video').paused ? document.querySelector('video').play() "
                   ": document.querySelector('video').pause()")
                       : QStringLiteral("document.querySelector('video')?.paused ? "
                                        "document.querySelector('video').play() : "
                                        "document.querySelector('video')?.pause()");
    }
    if (command == QLatin1String("next track")) {
        return youTube ? QStringLiteral("document.querySelector('.ytp-next-button')?.click() || "
                                        "document.querySelector('a.ytp-next-button')?.click()")
                       : QStringLiteral(
                           "document.querySelector('[data-testid=\"control-button-skip-forward\"]')?.click() "
                           "|| document.querySelector('button[aria-label=\"Next\"]')?.click() || "
                           "document.querySelector('button[aria-label=\"Skip forward\"]')?.click()");
    }
    if (command == QLatin1String("previous track")) {
        return youTube
            ? QStringLiteral("document.querySelector('video').currentTime = 0")
            : QStringLiteral("document.querySelector('[data-testid=\"control-button-skip-back\"]')?.click() "
                             "|| document.querySelector('button[aria-label=\"Previous\"]')?.click() || "
                             "document.querySelector('button[aria-label=\"Skip back\"]')?.click()");
    }
    return std::nullopt;
}

std::optional<QString> browserCommandScript(const QString &appName, const QString &command)
{
    const std::optional<QString> pattern = patternFor(appName);
    if (!pattern)
        return std::nullopt;
    const std::optional<QString> javaScript = browserJavaScript(command, appName == QLatin1String("YouTube"));
    if (!javaScript)
        return std::nullopt;
    QString escaped = *javaScript;
    escaped.replace(QLatin1Char('"'), QStringLiteral("\\\""));
    return scriptLines({
        { 0, QStringLiteral("tell application \"Google Chrome\"") },
        { 1, QStringLiteral("repeat with w in windows") },
        { 2, QStringLiteral("repeat with t in tabs of w") },
        { 3, QStringLiteral("if URL of t contains \"") + *pattern + QStringLiteral("\" then") },
        { 4, QStringLiteral("execute t javascript \"") + escaped + QStringLiteral("\"") },
        { 4, QStringLiteral("return") },
        { 3, QStringLiteral("end if") },
        { 2, QStringLiteral("end repeat") },
        { 1, QStringLiteral("end repeat") },
        { 0, QStringLiteral("end tell") },
    });
}

void sendChromeCommand(const ScriptRunner &runner, const QString &appName, const QString &command)
{
    if (const std::optional<QString> script = browserCommandScript(appName, command))
        runner.runScript(*script);
}

QString playerCommandScript(const QString &appName, const QString &command)
{
    const QString player
        = appName == QLatin1String("Spotify") ? QStringLiteral("Spotify") : QStringLiteral("Music");
    return QStringLiteral("tell application \"") + player + QStringLiteral("\" to ") + command;
}

QString youTubeAddressScript()
{
    return scriptLines({
        { 0, QStringLiteral("tell application \"Google Chrome\"") },
        { 1, QStringLiteral("repeat with w in windows") },
        { 2, QStringLiteral("repeat with t in tabs of w") },
        { 3, QStringLiteral("if URL of t contains \"") + youTubeWatchPattern + QStringLiteral("\" then") },
        { 4, QStringLiteral("return URL of t") },
        { 3, QStringLiteral("end if") },
        { 2, QStringLiteral("end repeat") },
        { 1, QStringLiteral("end repeat") },
        { 0, QStringLiteral("end tell") },
        { 0, QStringLiteral("return \"\"") },
    });
}

QString musicArtScript()
{
    return scriptLines({
               { 0, QStringLiteral("tell application \"Music\"") },
               { 1, QString() },
               { 1, QStringLiteral("try") },
               { 2, QStringLiteral("set artData to data of artwork 1 of current track") },
               { 2,
                   QStringLiteral(
                       "set tmpFile to (path to temporary items as text) & \"brivane_artwork.png\"") },
               { 2, QStringLiteral("set fRef to open for access file tmpFile with write permission") },
               { 2, QStringLiteral("write artData to fRef") },
               { 2, QStringLiteral("close access fRef") },
               { 2, QStringLiteral("return POSIX path of tmpFile") },
               { 1, QStringLiteral("end try") },
               { 0, QStringLiteral("end tell") },
           })
        + QLatin1Char('\n');
}

QString spotifyArtScript()
{
    return QStringLiteral("tell application \"Spotify\" to return artwork url of current track");
}

QString volumeScript(int percent)
{
    return QStringLiteral("set volume output volume ") + QString::number(percent);
}

std::optional<double> readNumber(const QString &field)
{
    // Read as written: surrounding blanks or a decimal comma make it no number.
    if (field.isEmpty() || field.front().isSpace() || field.back().isSpace())
        return std::nullopt;
    bool ok = false;
    const double value = field.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<TrackUpdate> parsePlayerOutput(const QString &output, const QString &label)
{
    const QStringList fields = output.split(kSeparator);
    if (fields.size() < 4 || fields.first().isEmpty())
        return std::nullopt;
    TrackUpdate update;
    update.kind = TrackUpdate::Kind::Player;
    update.title = fields.at(0);
    update.artist = fields.at(1);
    update.album = fields.at(2);
    update.isPlaying = fields.at(3) == QLatin1String("true");
    update.appName = label;
    double duration = fields.size() > 4 ? readNumber(fields.at(4)).value_or(0) : 0;
    if (label == QLatin1String("Spotify"))
        duration /= 1000; // Spotify reports milliseconds
    update.duration = duration;
    update.elapsed = fields.size() > 5 ? readNumber(fields.at(5)).value_or(0) : 0;
    return update;
}

QString cleanTabTitle(QString title)
{
    for (const QString &suffix : { QStringLiteral(" - YouTube"), QStringLiteral(" | Spotify"),
             QStringLiteral(" - Apple Music"), QStringLiteral(" | SoundCloud") })
        title.remove(suffix);
    return title;
}

std::optional<TrackUpdate> parseTabOutput(const QString &output)
{
    const QStringList fields = output.split(kSeparator);
    if (fields.size() < 2 || fields.first().isEmpty())
        return std::nullopt;
    const QString label = fields.at(1);
    const QString clean = cleanTabTitle(fields.at(0));
    const QStringList parts = clean.split(QStringLiteral(" - "));
    TrackUpdate update;
    update.kind = TrackUpdate::Kind::Browser;
    if (parts.size() < 2) {
        update.title = clean;
        update.artist = label;
    } else {
        update.artist = Text::trimmedSpacesAndTabs(parts.first());
        update.title = Text::trimmedSpacesAndTabs(parts.mid(1).join(QStringLiteral(" - ")));
    }
    update.album = QString();
    update.appName = label;
    update.isPlaying = true;
    return update;
}

TrackUpdate serviceUpdate(const NowPlayingTrack &track)
{
    TrackUpdate update;
    update.kind = TrackUpdate::Kind::Service;
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

std::optional<TrackUpdate> tryOsascript(const ScriptRunner &runner)
{
    for (const QString &label : { QStringLiteral("Music"), QStringLiteral("Spotify") }) {
        const std::optional<QString> output = runner.query(playerScript(label));
        if (!output)
            continue;
        if (std::optional<TrackUpdate> update = parsePlayerOutput(*output, label))
            return update;
    }
    return tryChrome(runner);
}

std::optional<TrackUpdate> tryChrome(const ScriptRunner &runner)
{
    const std::optional<QString> output = runner.query(tabScanScript());
    if (!output)
        return std::nullopt;
    return parseTabOutput(*output);
}

std::optional<QString> videoId(const QString &address)
{
    const qsizetype start = address.indexOf(QStringLiteral("v="));
    if (start < 0)
        return std::nullopt;
    const qsizetype from = start + 2;
    const qsizetype end = address.indexOf(QLatin1Char('&'), from);
    return address.mid(from, end < 0 ? -1 : end - from);
}

QImage fetchScriptArt(const QString &appName, const ScriptRunner &runner, ImageLoader &loader)
{
    if (appName == QLatin1String("YouTube")) {
        const std::optional<QString> id = videoId(runner.artQuery(youTubeAddressScript()));
        if (!id)
            return {};
        const QUrl url = absoluteUrl(youTubeThumbnailBase + *id + QStringLiteral("/mqdefault.jpg"));
        return url.isEmpty() ? QImage() : loader.load(url);
    }
    if (appName == QLatin1String("Music")) {
        const QString path = runner.artQuery(musicArtScript());
        return path.isEmpty() ? QImage() : loader.load(QUrl::fromLocalFile(path));
    }
    if (appName == QLatin1String("Spotify")) {
        const QUrl url = absoluteUrl(runner.artQuery(spotifyArtScript()));
        return url.isEmpty() ? QImage() : loader.load(url);
    }
    return {};
}

QString repairArtUrl(const QString &artUrl)
{
    static const QString brokenHost = QStringLiteral("https://open.spotify.com/image/");
    if (artUrl.startsWith(brokenHost))
        return QStringLiteral("https://i.scdn.co/image/") + artUrl.mid(brokenHost.size());
    return artUrl;
}

} // namespace MediaSources
