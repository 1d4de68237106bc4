// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestSupport.h"
#include "platform/ActiveScreen.h"
#include "platform/Autostart.h"
#include "platform/ImageLoader.h"
#include "platform/MprisNowPlaying.h"
#include "platform/ProcessRunner.h"
#include "platform/Session.h"
#include "platform/VolumeControl.h"
#include "platform/WaylandProbe.h"
#include "ui/Symbols.h"

#include <QDBusVariant>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <sys/stat.h>

class TestPlatform : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void processesRunWithoutAShellAndWithinTheirDeadline()
    {
        // Arguments are passed as they are: nothing is expanded or split.
        const ProcessResult echo = ProcessRunner::runBlocking("printf", { "%s|", "$(id)", "a b;c" }, 3000);
        QVERIFY(echo.succeeded());
        QCOMPARE(echo.standardOutput, QByteArray("$(id)|a b;c|"));

        QElapsedTimer clock;
        clock.start();
        const ProcessResult hung = ProcessRunner::runBlocking("sleep", { "30" }, 300);
        QVERIFY(hung.started);
        QVERIFY(hung.timedOut);
        QVERIFY(!hung.succeeded());
        QVERIFY(clock.elapsed() < 10000);

        const ProcessResult missing = ProcessRunner::runBlocking("/nonexistent/tool", {}, 1000);
        QVERIFY(!missing.started);
        QVERIFY(missing.standardOutput.isEmpty());

        const ProcessResult failing = ProcessRunner::runBlocking("sh", { "-c", "echo out; exit 3" }, 3000);
        QCOMPARE(failing.exitCode, 3);
        QVERIFY(!failing.succeeded());

        QVERIFY(ProcessRunner::isExecutable("sh"));
        QVERIFY(!ProcessRunner::isExecutable("/nonexistent/tool"));
    }

    void everySymbolTheViewsUseHasAGlyph()
    {
        for (const char *name : { "music.note", "note.text", "timer", "function.inset", "doc.on.clipboard",
                 "bubble.left.fill", "desktopcomputer", "play.fill", "pause.fill", "bolt.fill",
                 "battery.75percent", "cpu", "memorychip", "internaldrive", "clock" }) {
            QVERIFY2(!Symbols::glyph(QString::fromLatin1(name)).isEmpty(), name);
        }
        QVERIFY(Symbols::glyph("no.such.symbol").isEmpty());
        QVERIFY(Symbols::loadFont());
    }

    // Brivane asks the compositor before it starts; one that takes the
    // connection and never answers, or none at all, must not hold it up.
    void aSilentOrMissingCompositorOffersNothing()
    {
        QLocalServer silent;
        const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        QLocalServer::removeServer(runtime + QStringLiteral("/silent-compositor"));
        QVERIFY(silent.listen(runtime + QStringLiteral("/silent-compositor")));
        qputenv("WAYLAND_DISPLAY", "silent-compositor");
        QVERIFY(!WaylandProbe::advertises("zwlr_layer_shell_v1", 200));
        qputenv("WAYLAND_DISPLAY", "no-such-compositor");
        QVERIFY(!WaylandProbe::advertises("zwlr_layer_shell_v1", 200));
        qunsetenv("WAYLAND_DISPLAY");
    }

    // On sway, the screen in use comes over its IPC socket; a compositor that
    // keeps silent, or answers garbage, leaves the choice to the pointer soon.
    void swayNamesTheFocusedOutput_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<QString>("screen");
        QTest::newRow("focused second output")
            << QByteArray(R"([{"output":"X11-1","focused":false},{"output":"HDMI-A-1","focused":true}])")
            << "HDMI-A-1";
        QTest::newRow("nothing focused") << QByteArray(R"([{"output":"X11-1"}])") << "";
        QTest::newRow("garbage") << QByteArray("\xff{") << "";
        QTest::newRow("silent") << QByteArray() << "";
    }
    void swayNamesTheFocusedOutput()
    {
        QFETCH(QByteArray, payload);
        QFETCH(QString, screen);
        QLocalServer sway;
        const QString path = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + "/sway-ipc";
        QLocalServer::removeServer(path);
        QVERIFY(sway.listen(path));
        connect(&sway, &QLocalServer::newConnection, &sway, [&] {
            QLocalSocket *client = sway.nextPendingConnection();
            connect(client, &QLocalSocket::readyRead, client, [client, payload] {
                const QByteArray request = client->readAll();
                if (payload.isEmpty() || !request.startsWith("i3-ipc"))
                    return;
                const quint32 header[2] = { quint32(payload.size()), 1 };
                client->write(
                    QByteArray("i3-ipc") + QByteArray(reinterpret_cast<const char *>(header), 8) + payload);
            });
        });
        qputenv("SWAYSOCK", path.toUtf8());
        ActiveScreen active(QDBusConnection::sessionBus());
        active.setSource(Session("sway", "wayland", true, true).activeScreenSource());
        QSignalSpy answered(&active, &ActiveScreen::answered);
        active.ask();
        QVERIFY(answered.wait(2000));
        QCOMPARE(answered.takeFirst().at(0).toString(), screen);
        QVERIFY(!answered.wait(ActiveScreen::kDeadlineMs + 100)); // once only
        qunsetenv("SWAYSOCK");
    }

    // The output volume as the sound server's tools print it.
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

    // Album art: only local files and https, bounded in bytes and scaled to what is shown.
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
        // A FIFO with no writer, whose open would wait forever, and a device.
        const QByteArray fifo = QFile::encodeName(dir.filePath("fifo.png"));
        QCOMPARE(mkfifo(fifo.constData(), 0600), 0);
        QVERIFY(loader.load(QUrl::fromLocalFile(QFile::decodeName(fifo))).isNull());
        QVERIFY(loader.load(QUrl::fromLocalFile("/dev/zero")).isNull());
    }

    void switchWritesAndRemovesTheUsersEntry()
    {
        QTemporaryDir dir;
        qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
        const QString path = dir.filePath(QStringLiteral("autostart/org.brivane.Brivane.desktop"));
        QCOMPARE(Autostart::entryPath(), path);

        Autostart autostart;
        QVERIFY(!autostart.enabled());
        QSignalSpy changed(&autostart, &Autostart::enabledChanged);
        autostart.setEnabled(true);
        QVERIFY(autostart.enabled());
        QVERIFY(QFile::exists(path));
        autostart.setEnabled(true);
        QCOMPARE(changed.size(), 1);

        // A new instance (a later run) reads the state from the file system.
        QVERIFY(Autostart().enabled());
        autostart.setEnabled(false);
        QVERIFY(!QFile::exists(path));
        QVERIFY(!Autostart().enabled());
    }

    void programPathsAreQuotedForTheExecLine()
    {
        const QByteArray text = Autostart::entryText(QStringLiteral("/opt/my apps/bri\"vane$x"));
        QVERIFY(text.startsWith("[Desktop Entry]\n"));
        QVERIFY(text.contains("\nExec=\"/opt/my apps/bri\\\\\"vane\\\\$x\"\n"));
        QVERIFY(text.contains("\nType=Application\n"));
    }

    void aFailedWriteLeavesTheSwitchOff()
    {
        QTemporaryDir dir;
        QFile blocker(dir.filePath(QStringLiteral("autostart")));
        QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
        blocker.close();
        qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
        Autostart autostart;
        autostart.setEnabled(true);
        QVERIFY(!autostart.enabled());
        QVERIFY(!autostart.lastError().isEmpty());
    }

    // What players' properties mean, whatever their types.
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

    // Players as "bus|status|identity|activity|title". Without a choice, a
    // playing player wins, then a paused one, then the most recently active;
    // one without a title is passed over.
    void mprisChoosesAPlayer_data()
    {
        QTest::addColumn<QStringList>("players");
        QTest::addColumn<QString>("preferred");
        QTest::addColumn<QString>("expected");
        const auto row
            = [](const char *name, const QStringList &players, const QString &preferred,
                  const QString &expected) { QTest::newRow(name) << players << preferred << expected; };
        row("playing first", { "a|Paused|A|9|t", "b|Playing|B|1|t", "c|Stopped|C|10|t" }, "", "b");
        row("paused before stopped", { "a|Stopped|A|9|t", "b|Paused|B|1|t" }, "", "b");
        row("most recent of the playing", { "a|Playing|A|2|t", "b|Playing|B|5|t", "c|Playing|C|3|t" }, "",
            "b");
        row("no title passed over", { "a|Playing|A|2|", "b|Paused|B|1|t" }, "", "b");
        row("ties by bus name", { "b|Playing|B|0|t", "a|Playing|A|0|t" }, "", "a");
        row("no players", {}, "", "");
        const QStringList two { "a|Paused|mpv Media Player|1|t", "b|Playing|Other|5|t" };
        row("paused choice beats a playing other", two, "mpv Media Player", "a");
        row("chosen one absent", two, "Gone Player", "b");
        row("only part of a name", two, "mpv", "b");
        row("chosen one has no title", { "a|Playing|mpv Media Player|9|", "b|Paused|Other|1|t" },
            "mpv Media Player", "b");
        // A choice is made from the listed form of an identity.
        row("matched as listed", { "a|Stopped|  mpv\nMedia\tPlayer |1|t", "b|Playing|Other|5|t" },
            "mpv Media Player", "a");
        row("two of the chosen ranked as usual",
            { "a|Paused|mpv|9|t", "c|Playing|mpv|1|t", "b|Playing|Other|5|t" }, "mpv", "c");
        row("long identity matched by its bounded prefix",
            { "a|Paused|" + QString(500, 'x') + "|1|t", "b|Playing|Other|5|t" },
            QString(MprisNowPlaying::kMaxIdentityLength, 'x'), "a");
    }
    void mprisChoosesAPlayer()
    {
        QFETCH(QStringList, players);
        QFETCH(QString, preferred);
        QFETCH(QString, expected);
        QList<MprisNowPlaying::PlayerState> states;
        for (const QString &row : players) {
            const QStringList field = row.split('|');
            MprisNowPlaying::PlayerState state;
            state.busName = field.at(0);
            state.status = field.at(1);
            state.track.displayName = field.at(2);
            state.activity = field.at(3).toULongLong();
            state.track.title = field.at(4);
            state.track.busName = state.busName;
            state.answered = true;
            states << state;
        }
        const auto track = MprisNowPlaying::choose(states, preferred);
        QCOMPARE(track ? track->busName : QString(), expected);
    }
};

BRIVANE_TEST_MAIN(TestPlatform)
#include "tst_platform.moc"
