#include "TestSupport.h"
#include "media/MediaSources.h"
#include "platform/ImageLoader.h"
#include "platform/MprisNowPlaying.h"
#include "platform/ScriptRunner.h"
#include "platform/VolumeControl.h"

#include <QDBusArgument>
#include <QDBusVariant>

using MediaSources::TrackUpdate;

namespace {

QString joinLines(const QStringList &lines)
{
    return lines.join(QLatin1Char('\n'));
}

ProcessResult output(const QByteArray &bytes, int exitCode = 0)
{
    ProcessResult result;
    result.started = true;
    result.exitCode = exitCode;
    result.standardOutput = bytes;
    return result;
}

} // namespace

class TestMediaSources : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void playerOutput_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("album");
        QTest::addColumn<bool>("playing");
        QTest::addColumn<double>("duration");
        QTest::addColumn<double>("elapsed");

        QTest::newRow("music") << "Music"
                               << "Song|||Artist|||Album|||true|||215.5|||12.25" << true << "Song"
                               << "Album" << true << 215.5 << 12.25;
        QTest::newRow("spotify milliseconds") << "Spotify"
                                              << "Song|||A|||B|||true|||215000|||12.3" << true << "Song"
                                              << "B" << true << 215.0 << 12.3;
        QTest::newRow("True is not playing") << "Music"
                                             << "S|||A|||B|||True|||1|||2" << true << "S"
                                             << "B" << false << 1.0 << 2.0;
        QTest::newRow("decimal comma") << "Music"
                                       << "S|||A|||B|||false|||215,5|||2" << true << "S"
                                       << "B" << false << 0.0 << 2.0;
        QTest::newRow("blank around number") << "Music"
                                             << "S|||A|||B|||true||| 215|||2 " << true << "S"
                                             << "B" << true << 0.0 << 0.0;
        QTest::newRow("not finite") << "Music"
                                    << "S|||A|||B|||true|||nan|||inf" << true << "S"
                                    << "B" << true << 0.0 << 0.0;
        QTest::newRow("four fields") << "Music"
                                     << "S|||A|||B|||true" << true << "S"
                                     << "B" << true << 0.0 << 0.0;
        QTest::newRow("name holds separator") << "Music"
                                              << "Mix|||Up|||A|||B|||true|||1" << true << "Mix"
                                              << "A" << false << 0.0 << 1.0;
        QTest::newRow("three fields") << "Music"
                                      << "S|||A|||B" << false << ""
                                      << "" << false << 0.0 << 0.0;
        QTest::newRow("empty name") << "Music"
                                    << "|||A|||B|||true|||1|||2" << false << ""
                                    << "" << false << 0.0 << 0.0;
        QTest::newRow("not running") << "Music"
                                     << "" << false << ""
                                     << "" << false << 0.0 << 0.0;
    }
    void playerOutput()
    {
        QFETCH(QString, label);
        QFETCH(QString, text);
        QFETCH(bool, found);
        const std::optional<TrackUpdate> update = MediaSources::parsePlayerOutput(text, label);
        QCOMPARE(update.has_value(), found);
        if (!found)
            return;
        QFETCH(QString, title);
        QFETCH(QString, album);
        QFETCH(bool, playing);
        QFETCH(double, duration);
        QFETCH(double, elapsed);
        QCOMPARE(update->title, title);
        QCOMPARE(update->album, album);
        QCOMPARE(update->isPlaying, playing);
        QCOMPARE(update->appName, label);
        QCOMPARE(*update->duration, duration);
        QCOMPARE(*update->elapsed, elapsed);
    }

    void tabOutput_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("artist");

        QTest::newRow("artist and title")
            << "Artist - Song - Live - YouTube|||YouTube" << true << "Song - Live"
            << "Artist";
        QTest::newRow("spotify web") << "Song | Spotify|||Spotify Web" << true << "Song"
                                     << "Spotify Web";
        QTest::newRow("no separator") << "Daily news|||YouTube" << true << "Daily news"
                                      << "YouTube";
        QTest::newRow("suffix twice") << "Intro - YouTube Music - YouTube|||YouTube" << true << "Intro Music"
                                      << "YouTube";
        QTest::newRow("leading separator") << " - Song|||YouTube" << true << "Song"
                                           << "";
        QTest::newRow("tabs and spaces trimmed") << "\tBand  - \tSong \t|||SoundCloud" << true << "Song"
                                                 << "Band";
        QTest::newRow("empty title") << "|||YouTube" << false << ""
                                     << "";
        QTest::newRow("chrome not running") << "" << false << ""
                                            << "";
    }
    void tabOutput()
    {
        QFETCH(QString, text);
        QFETCH(bool, found);
        const std::optional<TrackUpdate> update = MediaSources::parseTabOutput(text);
        QCOMPARE(update.has_value(), found);
        if (!found)
            return;
        QFETCH(QString, title);
        QFETCH(QString, artist);
        QCOMPARE(update->title, title);
        QCOMPARE(update->artist, artist);
        QCOMPARE(update->album, QString());
        QVERIFY(update->isPlaying);
        QVERIFY(!update->duration && !update->elapsed);
    }

    void queryScriptsAreExact()
    {
        QCOMPARE(MediaSources::playerScript("Music"),
            "tell application \"Music\" to if it is running then return (get name of current track) & "
            "\"|||\" & "
            "(get artist of current track) & \"|||\" & (get album of current track) & \"|||\" & ((player "
            "state "
            "is playing) as text) & \"|||\" & (duration of current track as text) & \"|||\" & (player "
            "position "
            "as text)");
        QVERIFY(MediaSources::playerScript("Spotify").startsWith(
            "tell application \"Spotify\" to if it is running"));
        QCOMPARE(MediaSources::tabScanScript(),
            joinLines({ "tell application \"Google Chrome\"", "    if it is not running then return \"\"",
                "    set tabInfo to \"\"", "    repeat with w in windows",
                "        repeat with t in tabs of w", "            set u to URL of t",
                "            if u contains \"youtube.com/watch\" then",
                "                set tabInfo to (title of t) & \"|||YouTube\"",
                "                return tabInfo", "            else if u contains \"open.spotify.com\" then",
                "                set tabInfo to (title of t) & \"|||Spotify Web\"",
                "                return tabInfo", "            else if u contains \"music.apple.com\" then",
                "                set tabInfo to (title of t) & \"|||Apple Music Web\"",
                "                return tabInfo", "            else if u contains \"soundcloud.com\" then",
                "                set tabInfo to (title of t) & \"|||SoundCloud\"",
                "                return tabInfo", "            end if", "        end repeat",
                "    end repeat", "    return tabInfo", "end tell" }));
    }

    void artScriptsAreExact()
    {
        QCOMPARE(MediaSources::youTubeAddressScript(),
            joinLines({ "tell application \"Google Chrome\"", "    repeat with w in windows",
                "        repeat with t in tabs of w",
                "            if URL of t contains \"youtube.com/watch\" then",
                "                return URL of t", "            end if", "        end repeat",
                "    end repeat", "end tell", "return \"\"" }));
        QCOMPARE(MediaSources::musicArtScript(),
            joinLines({ "tell application \"Music\"", "    ", "    try",
                "        set artData to data of artwork 1 of current track",
                "        set tmpFile to (path to temporary items as text) & \"brivane_artwork.png\"",
                "        set fRef to open for access file tmpFile with write permission",
                "        write artData to fRef", "        close access fRef",
                "        return POSIX path of tmpFile", "    end try", "end tell", "" }));
        QCOMPARE(MediaSources::spotifyArtScript(),
            "tell application \"Spotify\" to return artwork url of current track");
    }

    void browserCommandsEscapeTheirJavaScript()
    {
        QCOMPARE(*MediaSources::browserCommandScript("SoundCloud", "next track"),
            joinLines({ "tell application \"Google Chrome\"", "    repeat with w in windows",
                "        repeat with t in tabs of w",
                "            if URL of t contains \"soundcloud.com\" then",
                "                execute t javascript \"document.querySelector('[data-testid=\\\"control-"
                "button-skip-forward\\\"]')?.click() || document.querySelector('button[aria-label=\\\""
                "Next\\\"]')?.click() || document.querySelector('button[aria-label=\\\"Skip forward\\\"]')"
                "?.click()\"",
                "                return", "            end if", "        end repeat", "    end repeat",
                "end tell" }));
        const QString restart = *MediaSources::browserCommandScript("YouTube", "previous track");
        QVERIFY(restart.contains("    if URL of t contains \"youtube.com/watch\" then\n"));
        QVERIFY(
            restart.contains("execute t javascript \"document.querySelector('video').currentTime = 0\"\n"));
        QCOMPARE(*MediaSources::browserJavaScript("playpause", false),
            "document.querySelector('video')?.paused ? document.querySelector('video').play() : "
            "document.querySelector('video')?.pause()");
        QVERIFY(!MediaSources::browserCommandScript("Music", "playpause"));
        QVERIFY(!MediaSources::browserCommandScript("YouTube", "stop"));
    }

    void videoIds()
    {
        QCOMPARE(MediaSources::videoId("https://www.youtube.com/watch?v=abc123&t=42s"), QString("abc123"));
        QCOMPARE(MediaSources::videoId("https://www.youtube.com/watch?v=abc123"), QString("abc123"));
        QVERIFY(!MediaSources::videoId("https://www.youtube.com/watch?list=x"));
        QCOMPARE(MediaSources::repairArtUrl("https://open.spotify.com/image/ab67"),
            "https://i.scdn.co/image/ab67");
        QCOMPARE(MediaSources::repairArtUrl("file:///a.png"), "file:///a.png");
    }

    void runnerModes()
    {
        QList<QStringList> calls;
        QMap<QString, ProcessResult> replies { { "ok", output("  Song|||A\n") },
            { "fails", output("partial\n", 1) }, { "binary", output("\xff\xfe") } };
        ScriptRunner runner([&](const QString &program, const QStringList &arguments) {
            calls << (QStringList { program } + arguments);
            return replies.value(arguments.value(1), output("raw \n"));
        });
        QCOMPARE(runner.query("ok"), std::optional<QString>("Song|||A"));
        QCOMPARE(calls.first(), QStringList({ "/usr/bin/osascript", "-e", "ok" }));
        QVERIFY(!runner.query("fails"));
        QCOMPARE(runner.query("binary"), std::optional<QString>(""));
        QCOMPARE(runner.artQuery("fails"), QString("partial"));
        QCOMPARE(runner.subprocess({ "osascript", "-e", "x" }), std::optional<QString>("raw \n"));
        QCOMPARE(calls.last(), QStringList({ "/usr/bin/osascript", "-e", "x" }));

        // Without the tool nothing is launched and every run fails.
        int launches = 0;
        ScriptRunner absent(
            [&](const QString &, const QStringList &) {
                ++launches;
                return output("x");
            },
            false);
        QVERIFY(!absent.query("ok"));
        QCOMPARE(absent.artQuery("ok"), QString());
        absent.runScript("ok");
        QCOMPARE(launches, 0);
        if (!QFile::exists(ScriptRunner::toolPath()))
            QVERIFY(!ScriptRunner().available());
    }

    void volumeReadings()
    {
        QCOMPARE(SystemVolume::parseWpctl("Volume: 0.40\n"), std::optional<int>(40));
        QCOMPARE(SystemVolume::parseWpctl("Volume: 0.37 [MUTED]\n"), std::optional<int>(37));
        QCOMPARE(SystemVolume::parsePactl(
                     "Volume: front-left: 24248 /  37% / -25.91 dB,   front-right: 24248 /  37% / "
                     "-25.91 dB\n        balance 0.00\n"),
            std::optional<int>(37));
        QVERIFY(!SystemVolume::parsePactl("Failure: No such entity\n"));
        QVERIFY(!SystemVolume::parseWpctl(""));
    }

    void imagesLoadOnlyFromFilesAndHttps()
    {
        QTemporaryDir dir;
        QImage big(1200, 600, QImage::Format_RGB32);
        big.fill(Qt::green);
        const QString path = dir.filePath("cover.png");
        QVERIFY(big.save(path));
        NetworkImageLoader loader;
        // Large art is scaled down to what the panel can show.
        QCOMPARE(loader.load(QUrl::fromLocalFile(path)).size(), QSize(512, 256));
        QVERIFY(loader.load(QUrl::fromLocalFile(dir.filePath("missing.png"))).isNull());
        QVERIFY(loader.load(QUrl("http://127.0.0.1:1/cover.png")).isNull());
        QVERIFY(loader.load(QUrl("data:image/png;base64,AAAA")).isNull());

        QFile junk(dir.filePath("junk.png"));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("not an image");
        junk.close();
        QVERIFY(loader.load(QUrl::fromLocalFile(junk.fileName())).isNull());
        QVERIFY(junk.resize(NetworkImageLoader::kMaxBytes + 1));
        QVERIFY(loader.load(QUrl::fromLocalFile(junk.fileName())).isNull());
    }

    void mprisFieldsTolerateWrongTypes()
    {
        QVariantMap metadata { { "xesam:title", "Song" }, { "xesam:artist", QStringList { "A", "B" } },
            { "xesam:album", 42 }, { "mpris:length", qlonglong(215500000) },
            { "mpris:artUrl", "file:///tmp/a.png" } };
        QVariantMap properties { { "Metadata", metadata }, { "PlaybackStatus", "Playing" },
            { "Position", QVariant::fromValue(QDBusVariant(qulonglong(12250000))) } };
        NowPlayingTrack track
            = MprisNowPlaying::trackFrom(properties, QVariant::fromValue(QDBusVariant("mpv")), "b");
        QCOMPARE(track.title, "Song");
        QCOMPARE(track.artist, "A, B");
        QCOMPARE(track.album, ""); // a number is not an album
        QCOMPARE(track.displayName, "mpv");
        QCOMPARE(track.duration, 215.5);
        QCOMPARE(track.elapsed, 12.25);
        QCOMPARE(track.rate, 1.0); // Playing without a Rate still plays
        QCOMPARE(track.artUrl, "file:///tmp/a.png");

        properties["PlaybackStatus"] = "Paused";
        properties["Rate"] = 1.0;
        metadata["mpris:length"] = "215";
        metadata["xesam:title"] = QStringList { "not", "a title" };
        properties["Metadata"] = metadata;
        track = MprisNowPlaying::trackFrom(properties, QVariant(7), "b");
        QCOMPARE(track.rate, 0.0);
        QCOMPARE(track.duration, 0.0);
        QCOMPARE(track.title, "");
        QCOMPARE(track.displayName, "");
    }

    void mprisChoosesPlayingThenPausedThenMostRecent()
    {
        auto player = [](QString name, QString status, quint64 activity, QString title = "t") {
            MprisNowPlaying::PlayerState state;
            state.busName = name;
            state.status = status;
            state.activity = activity;
            state.answered = true;
            state.track.title = title;
            state.track.busName = name;
            return state;
        };
        auto chosen = [](const QList<MprisNowPlaying::PlayerState> &players) {
            const auto track = MprisNowPlaying::choose(players);
            return track ? track->busName : QString();
        };
        QCOMPARE(
            chosen({ player("a", "Paused", 9), player("b", "Playing", 1), player("c", "Stopped", 10) }), "b");
        QCOMPARE(chosen({ player("a", "Stopped", 9), player("b", "Paused", 1) }), "b");
        QCOMPARE(
            chosen({ player("a", "Playing", 2), player("b", "Playing", 5), player("c", "Playing", 3) }), "b");
        QCOMPARE(chosen({ player("a", "Playing", 2, ""), player("b", "Paused", 1) }), "b");
        QCOMPARE(chosen({ player("b", "Playing", 0), player("a", "Playing", 0) }), "a");
        QCOMPARE(chosen({}), QString());
    }
};

BRIVANE_TEST_MAIN(TestMediaSources)
#include "tst_mediasources.moc"
