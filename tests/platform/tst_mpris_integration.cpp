// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The media store against real peers on a private session bus: mpv with its
// MPRIS plugin, playerctl as the reference client, pulseaudio's null sink,
// and a scriptable fake player. Run inside the session wrapper.
#include "TestSupport.h"
#include "media/MediaStore.h"
#include "platform/MprisNowPlaying.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThreadPool>

namespace {

constexpr int kWaitMs = 15000;

QString env(const char *name)
{
    return qEnvironmentVariable(name);
}

// Runs a short reference tool and returns its trimmed output.
QString tool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

QStringList players()
{
    return tool("playerctl", { "-l" }).split('\n', Qt::SkipEmptyParts);
}

} // namespace

class TestMprisIntegration : public QObject
{
    Q_OBJECT

    QList<QProcess *> m_processes;
    QTemporaryDir m_dir;
    const QString m_tone = m_dir.filePath("tone.ogg");

    QProcess *start(const QString &program, const QStringList &arguments)
    {
        auto *process = new QProcess(this);
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(program, arguments);
        m_processes << process;
        return process;
    }

    // mpv on the default sink, its MPRIS plugin loaded explicitly.
    void startMpv(const QString &file, bool paused = false)
    {
        const int before = players().size();
        QStringList arguments { "--no-config", "--no-video", "--really-quiet", "--ao=pulse",
            "--loop-file=inf", "--script=/usr/lib/mpv-mpris/mpris.so" };
        if (paused)
            arguments << "--pause";
        start("mpv", arguments << file);
        QTRY_VERIFY_WITH_TIMEOUT(players().size() > before, kWaitMs);
    }

    void startFake(const QStringList &arguments)
    {
        QProcess *process = start(env("BRIVANE_FAKE_PLAYER"), arguments);
        QVERIFY(process->waitForReadyRead(5000));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(!env("DBUS_SESSION_BUS_ADDRESS").isEmpty(), "needs the private session bus");
        // A short tagged tone for mpv to loop.
        tool("sox",
            { "-n", "-r", "44100", "-c", "2", "--comment", "TITLE=First Tone", "--add-comment",
                "ARTIST=Brivane Tester", "--add-comment", "ALBUM=Test Signals", m_tone, "synth", "30", "sine",
                "440", "vol", "0.1" });
        QVERIFY(QFile::exists(m_tone));
        QVERIFY(QFile::exists(env("BRIVANE_FAKE_PLAYER")));
    }

    void cleanup()
    {
        for (QProcess *process : std::as_const(m_processes)) {
            process->kill();
            process->waitForFinished(3000);
            delete process;
        }
        m_processes.clear();
        QTRY_VERIFY_WITH_TIMEOUT(players().isEmpty(), kWaitMs);
    }

    // The store shows what playerctl reports, and plays and pauses the player.
    void storeShowsAndCommandsWhatPlayerctlReports()
    {
        startMpv(m_tone);
        MediaStore store;
        QTRY_VERIFY_WITH_TIMEOUT(!store.title().isEmpty() && store.duration() > 0, kWaitMs);
        const QStringList reference = tool("playerctl",
            { "-p", "mpv", "metadata", "--format",
                "{{xesam:title}}\n{{xesam:artist}}\n{{xesam:album}}\n{{status}}\n{{mpris:length}}" })
                                          .split('\n');
        QCOMPARE(reference.value(0), "First Tone");
        QCOMPARE(store.title(), reference.at(0));
        QCOMPARE(store.artist(), reference.at(1));
        QCOMPARE(store.album(), reference.at(2));
        QVERIFY(store.isPlaying());
        QCOMPARE(reference.at(3), "Playing");
        QCOMPARE(store.duration(), reference.at(4).toLongLong() / 1e6);
        QCOMPARE(store.appName(), "mpv");

        store.togglePlayPause();
        QTRY_COMPARE_WITH_TIMEOUT(tool("playerctl", { "-p", "mpv", "status" }), QString("Paused"), kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(!store.isPlaying(), kWaitMs);
        store.togglePlayPause();
        QTRY_COMPARE_WITH_TIMEOUT(tool("playerctl", { "-p", "mpv", "status" }), QString("Playing"), kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(store.isPlaying(), kWaitMs);
    }

    void volumeReachesTheSoundServer()
    {
        tool("pactl", { "set-sink-volume", "@DEFAULT_SINK@", "55%" });
        MediaStore store;
        // The slider starts where the system is.
        QTRY_COMPARE_WITH_TIMEOUT(store.volume(), 0.55f, kWaitMs);
        store.setVolume(0.37f);
        QTRY_VERIFY_WITH_TIMEOUT(
            tool("pactl", { "get-sink-volume", "@DEFAULT_SINK@" }).contains(" 37% "), kWaitMs);
    }

    // The chosen player is shown, and commanded, though another plays; the
    // list names every player and follows them leaving.
    void theChosenPlayerIsShownWhileItIsThere()
    {
        startMpv(m_tone, true);
        startFake({ "--name", "other", "--title", "Other Song", "--identity", "Other Player" });
        MediaStore store;
        QTRY_COMPARE_WITH_TIMEOUT(store.title(), QString("Other Song"), kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(store.players().size(), 2, kWaitMs);
        QVERIFY(store.players().contains("Other Player"));
        const QString mpv = store.players().at(store.players().at(0) == "Other Player" ? 1 : 0);
        QVERIFY(mpv.startsWith("mpv", Qt::CaseInsensitive));

        store.setPreferredPlayer(mpv);
        QTRY_COMPARE_WITH_TIMEOUT(store.title(), QString("First Tone"), kWaitMs);
        QCOMPARE(store.appName(), mpv);
        QVERIFY(!store.isPlaying());
        store.togglePlayPause();
        QTRY_VERIFY_WITH_TIMEOUT(store.isPlaying(), kWaitMs);
        QCOMPARE(tool("playerctl", { "-p", "mpv", "status" }), "Playing");
        QCOMPARE(tool("playerctl", { "-p", "other", "status" }), "Playing");

        // A player that leaves drops from the list.
        m_processes.last()->kill();
        QTRY_COMPARE_WITH_TIMEOUT(store.players(), QStringList { mpv }, kWaitMs);
    }

    // The art comes from the player's address; a player that never answers
    // does not keep it off the card.
    void artFromThePlayersAddressDespiteASilentPlayer()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("cover.png");
        QImage cover(64, 48, QImage::Format_RGB32);
        cover.fill(Qt::blue);
        QVERIFY(cover.save(path));
        startFake({ "--name", "silent", "--silent", "--title", "Never" });
        startFake({ "--name", "art", "--title", "With Art", "--art", QUrl::fromLocalFile(path).toString() });
        MediaStore store;
        QTRY_COMPARE_WITH_TIMEOUT(store.title(), QString("With Art"), kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(store.hasAlbumArt(), kWaitMs);
        QCOMPARE(store.albumArt().size(), QSize(64, 48));
        QCOMPARE(store.albumArt().pixelColor(3, 3), QColor(Qt::blue));
    }

    void playersComingAndGoingAreNoticed()
    {
        MprisNowPlaying service;
        QSignalSpy changes(&service, &NowPlayingService::playersChanged);
        startFake({ "--name", "late", "--title", "Late", "--status", "Paused" });
        QTRY_VERIFY_WITH_TIMEOUT(changes.count() >= 1, kWaitMs);
        // A play-state change is noticed too.
        changes.clear();
        tool("playerctl", { "-p", "late", "play" });
        QTRY_VERIFY_WITH_TIMEOUT(changes.count() >= 1, kWaitMs);
        changes.clear();
        cleanup();
        QTRY_VERIFY_WITH_TIMEOUT(changes.count() >= 1, kWaitMs);
    }

    // Until a player announces a change it is read in full at every poll;
    // after that it is asked only where it is, which keeps polls cheap.
    void onlyThePositionIsAskedOfAPlayerThatAnnounces()
    {
        QTemporaryDir dir;
        const QString log = dir.filePath("reads");
        startFake({ "--name", "loud", "--title", "First", "--status", "Paused", "--log", log });
        MprisNowPlaying service;
        const auto reads = [&](const char *what) {
            QFile file(log);
            return file.open(QIODevice::ReadOnly) ? int(file.readAll().count(what)) : -1;
        };
        const auto ask = [&service] {
            std::optional<NowPlayingTrack> answer;
            bool answered = false;
            service.query([&](std::optional<NowPlayingTrack> track) {
                answer = std::move(track);
                answered = true;
            });
            // No answer reads as a track with no title, which every check fails.
            return QTest::qWaitFor([&] { return answered; }, kWaitMs) ? answer.value_or(NowPlayingTrack {})
                                                                      : NowPlayingTrack {};
        };
        const char *getAll = "GetAll org.mpris.MediaPlayer2.Player";
        QCOMPARE(ask().title, "First");
        QCOMPARE(ask().title, "First");
        QCOMPARE(reads(getAll), 2);
        QVERIFY(!service.quiet()); // it has never announced anything

        QSignalSpy changes(&service, &NowPlayingService::playersChanged);
        service.send("org.mpris.MediaPlayer2.loud", NowPlayingService::Command::PlayPause, [] {});
        QTRY_VERIFY_WITH_TIMEOUT(changes.count() >= 1, kWaitMs);
        QVERIFY(ask().rate > 0);
        const int fullReads = reads(getAll);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(ask().title, "First");
        QCOMPARE(reads(getAll), fullReads);
        QVERIFY(reads("Get Position") >= 3);
        QVERIFY(!service.quiet()); // playing: its position moves unannounced

        for (const bool quiet : { true, false }) {
            service.send("org.mpris.MediaPlayer2.loud", NowPlayingService::Command::PlayPause, [] {});
            QTRY_COMPARE_WITH_TIMEOUT(service.quiet(), quiet, kWaitMs);
        }
        cleanup();
        QTRY_VERIFY_WITH_TIMEOUT(service.quiet(), kWaitMs); // no player at all
    }

    void wrongValueTypesReadAsMissing()
    {
        startFake({ "--name", "odd", "--title", "Odd Types", "--wrong-types" });
        MediaStore store;
        QSignalSpy ticks(&store, &MediaStore::tickFinished);
        QTRY_COMPARE_WITH_TIMEOUT(store.title(), QString("Odd Types"), kWaitMs);
        QCOMPARE(store.artist(), "");
        QCOMPARE(store.album(), "");
        QCOMPARE(store.appName(), "");
        QCOMPARE(store.duration(), 0.0);
        QCOMPARE(store.elapsed(), 0.0);
        QVERIFY(store.isPlaying()); // it says Playing; a broken Rate does not undo that
        // The tick after the title tries the art address of the wrong type.
        const int seen = ticks.count();
        QTRY_VERIFY_WITH_TIMEOUT(ticks.count() > seen, kWaitMs);
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        QVERIFY(!store.hasAlbumArt());
    }
};

BRIVANE_TEST_MAIN(TestMprisIntegration)
#include "tst_mpris_integration.moc"
