// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MediaFakes.h"
#include "TestSupport.h"
#include "media/MediaSources.h"

using MediaSources::TrackUpdate;

namespace {

// A string literal of a script line, read as the script's interpreter
// reads it: backslash escapes the next character, a bare quote ends it.
// None if the line does not hold exactly `prefix` then one literal then
// `suffix`.
std::optional<QString> literalIn(const QString &line, const QString &prefix, const QString &suffix)
{
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(prefix + '"'))
        return std::nullopt;
    QString value;
    for (qsizetype i = prefix.size() + 1; i < trimmed.size(); ++i) {
        const QChar c = trimmed.at(i);
        if (c == '\\' && i + 1 < trimmed.size()) {
            value += trimmed.at(++i);
        } else if (c == '"') {
            if (trimmed.mid(i + 1) != suffix)
                return std::nullopt;
            return value;
        } else {
            value += c;
        }
    }
    return std::nullopt;
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

    // Each browser label's commands go to a tab of that label's site, and
    // the page script arrives whole: its quotes cannot end the string early.
    void browserCommandsRouteByLabelAndKeepTheirJavaScriptWhole()
    {
        const QList<QPair<QString, QString>> sites { { "YouTube", "youtube.com/watch" },
            { "Spotify Web", "open.spotify.com" }, { "Apple Music Web", "music.apple.com" },
            { "SoundCloud", "soundcloud.com" } };
        int quoted = 0;
        for (const auto &[label, site] : sites) {
            QVERIFY(MediaSources::isBrowserLabel(label));
            for (const QString command : { "playpause", "next track", "previous track" }) {
                const std::optional<QString> script = MediaSources::browserCommandScript(label, command);
                QVERIFY2(script, qPrintable(label + ": " + command));
                std::optional<QString> matched, javaScript;
                for (const QString &line : script->split('\n')) {
                    matched = matched ? matched : literalIn(line, "if URL of t contains ", " then");
                    javaScript = javaScript ? javaScript : literalIn(line, "execute t javascript ", "");
                }
                QCOMPARE(matched, site);
                QCOMPARE(javaScript, MediaSources::browserJavaScript(command, label == "YouTube"));
                quoted += javaScript->contains('"');
            }
            QVERIFY(!MediaSources::browserCommandScript(label, "stop"));
        }
        // Some page scripts hold double quotes, so the escaping above was tried.
        QVERIFY(quoted > 0);
        QVERIFY(!MediaSources::isBrowserLabel("Music"));
        QVERIFY(!MediaSources::browserCommandScript("Music", "playpause"));
        // YouTube restarts the video for "previous"; the others press their button.
        QVERIFY(MediaSources::browserJavaScript("previous track", true)->contains("currentTime = 0"));
        QVERIFY(MediaSources::browserJavaScript("previous track", false)->contains("Previous"));
    }

    // The tab scan names each site's tab by its label, so what it finds is
    // routed back to the same site.
    void tabScanLabelsEachSiteAsItsCommandsExpect()
    {
        QMap<QString, QString> labelOf;
        QString site;
        for (const QString &line : MediaSources::tabScanScript().split('\n')) {
            const QString trimmed = line.trimmed();
            const QString condition = trimmed.startsWith("else ") ? trimmed.mid(5) : trimmed;
            if (const auto pattern = literalIn(condition, "if u contains ", " then"))
                site = *pattern;
            if (const auto label = literalIn(trimmed, "set tabInfo to (title of t) & ", ""))
                labelOf.insert(site, label->section("|||", 1));
        }
        QCOMPARE(labelOf.size(), 4);
        for (auto it = labelOf.cbegin(); it != labelOf.cend(); ++it) {
            const auto script = MediaSources::browserCommandScript(it.value(), "playpause");
            QVERIFY2(script && script->contains('"' + it.key() + '"'), qPrintable(it.value()));
        }
    }

    // Player queries and commands address the application of their label.
    void playerScriptsAddressTheirApplication()
    {
        for (const QString label : { "Music", "Spotify" }) {
            const QString line = MediaSources::playerScript(label).section(" to ", 0, 0);
            QCOMPARE(literalIn(line, "tell application ", ""), label);
        }
        QCOMPARE(literalIn(MediaSources::playerCommandScript("Spotify", "playpause").section(" to ", 0, 0),
                     "tell application ", ""),
            QString("Spotify"));
        // Anything not Spotify is the Music app's.
        QCOMPARE(literalIn(MediaSources::playerCommandScript("Tidal", "playpause").section(" to ", 0, 0),
                     "tell application ", ""),
            QString("Music"));
        QCOMPARE(literalIn(MediaSources::spotifyArtScript().section(" to ", 0, 0), "tell application ", ""),
            QString("Spotify"));
        QCOMPARE(literalIn(MediaSources::musicArtScript().section('\n', 0, 0), "tell application ", ""),
            QString("Music"));
    }

    // A tab's title is the page's to choose, and the label read back from the
    // scan can be anything the title smuggles in after a separator. Such a
    // label only picks a route; its text never becomes part of a script.
    void labelsReadFromPagesNeverEnterAScript()
    {
        const QString hostile = "Evil\" to quit\n\\ do shell script \"rm -rf ~\"";
        const std::optional<TrackUpdate> update
            = MediaSources::parseTabOutput("Song|||" + hostile + "|||YouTube");
        QVERIFY(update);
        QCOMPARE(update->appName, hostile);

        QVERIFY(!MediaSources::isBrowserLabel(update->appName));
        QVERIFY(!MediaSources::browserCommandScript(update->appName, "playpause"));
        for (const QString command : { "playpause", "next track", "previous track" }) {
            const QString script = MediaSources::playerCommandScript(update->appName, command);
            QCOMPARE(literalIn(script.section(" to ", 0, 0), "tell application ", ""), QString("Music"));
            QVERIFY(!script.contains("shell") && !script.contains('\n') && !script.contains('\\'));
        }

        FakeTool tool;
        FakeImages images;
        const ScriptRunner runner(tool.launcher());
        QVERIFY(MediaSources::fetchScriptArt(update->appName, runner, images).isNull());
        QVERIFY(tool.calls().isEmpty());
        QVERIFY(images.urls().isEmpty());
    }

    // Art goes through the route of the source's label, and what the route's
    // script prints (a tab's address, a path, an address from the player) is
    // only loaded when it is well formed; a video id cannot move the
    // thumbnail off the thumbnail host.
    void scriptArtFollowsTheLabel_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QByteArray>("printed");
        QTest::addColumn<QUrl>("loaded");

        const QString youTube = MediaSources::youTubeAddressScript();
        const QString music = MediaSources::musicArtScript();
        const QString spotify = MediaSources::spotifyArtScript();
        QTest::newRow("youtube thumbnail")
            << "YouTube" << youTube << QByteArray("https://www.youtube.com/watch?v=abc123&t=42s\n")
            << QUrl("https://i.ytimg.com/vi/abc123/mqdefault.jpg");
        QTest::newRow("youtube without a video")
            << "YouTube" << youTube << QByteArray("https://www.youtube.com/watch?list=x") << QUrl();
        QTest::newRow("youtube id with a space")
            << "YouTube" << youTube << QByteArray("https://www.youtube.com/watch?v=a b") << QUrl();
        QTest::newRow("music file") << "Music" << music << QByteArray("/tmp/brivane_artwork.png\n")
                                    << QUrl::fromLocalFile("/tmp/brivane_artwork.png");
        QTest::newRow("music without art") << "Music" << music << QByteArray() << QUrl();
        QTest::newRow("spotify address") << "Spotify" << spotify << QByteArray("https://i.scdn.co/image/ab67")
                                         << QUrl("https://i.scdn.co/image/ab67");
        QTest::newRow("spotify relative") << "Spotify" << spotify << QByteArray("image/ab67") << QUrl();
        QTest::newRow("spotify nothing") << "Spotify" << spotify << QByteArray() << QUrl();
        QTest::newRow("web player") << "Spotify Web" << QString() << QByteArray() << QUrl();
        QTest::newRow("other player") << "Some Player" << QString() << QByteArray() << QUrl();
    }
    void scriptArtFollowsTheLabel()
    {
        QFETCH(QString, label);
        QFETCH(QString, script);
        QFETCH(QByteArray, printed);
        QFETCH(QUrl, loaded);
        FakeTool tool;
        FakeImages images;
        tool.replies[script] = printed;
        const QImage art = MediaSources::fetchScriptArt(label, ScriptRunner(tool.launcher()), images);
        QCOMPARE(tool.scripts(), script.isEmpty() ? QStringList() : QStringList { script });
        QCOMPARE(images.urls(), loaded.isEmpty() ? QList<QUrl>() : QList<QUrl> { loaded });
        QCOMPARE(art.isNull(), loaded.isEmpty());
    }

    // Whatever a tab's address carries after "v=", the thumbnail is asked of
    // the thumbnail host over https.
    void videoIdsStayOnTheThumbnailHost()
    {
        int loads = 0;
        for (const QByteArray id : { "x/../../../evil.example/a", "x@evil.example",
                 "x?u=https://evil.example/", "x#frag", "//evil.example/a", "x\\evil.example" }) {
            FakeTool tool;
            FakeImages images;
            tool.replies[MediaSources::youTubeAddressScript()] = "https://www.youtube.com/watch?v=" + id;
            MediaSources::fetchScriptArt("YouTube", ScriptRunner(tool.launcher()), images);
            loads += images.urls().size();
            for (const QUrl &url : images.urls()) {
                QCOMPARE(url.scheme(), QString("https"));
                QVERIFY2(url.host() == "i.ytimg.com", qPrintable(id + " -> " + url.toString()));
            }
        }
        QVERIFY(loads > 0); // most of them are well formed addresses
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
};

BRIVANE_TEST_MAIN(TestMediaSources)
#include "tst_mediasources.moc"
