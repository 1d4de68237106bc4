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
                QVERIFY(javaScript->contains('"') || javaScript->contains('\''));
            }
            QVERIFY(!MediaSources::browserCommandScript(label, "stop"));
        }
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
        QVERIFY(MediaSources::musicArtScript().startsWith("tell application \"Music\"\n"));
        // The art file's name stays inside its quotes.
        QVERIFY(MediaSources::musicArtScript().contains("& \"brivane_artwork.png\""));
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
