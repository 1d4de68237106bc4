// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MediaFakes.h"
#include "TestSupport.h"
#include "media/MediaStore.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QThreadPool>

namespace {

NowPlayingTrack serviceTrack(const QString &title, const QString &art = {})
{
    NowPlayingTrack track;
    track.title = title;
    track.artist = "Artist";
    track.album = "Album";
    track.displayName = "mpv";
    track.duration = 200;
    track.elapsed = 30;
    track.rate = 1;
    track.busName = "org.mpris.MediaPlayer2.mpv";
    track.artUrl = art;
    return track;
}

} // namespace

class TestMediaStore : public QObject
{
    Q_OBJECT

    std::shared_ptr<FakeService> service;
    std::shared_ptr<FakeVolume> volume;
    std::shared_ptr<FakeImages> images;

    std::unique_ptr<MediaStore> makeStore(bool autoPoll = false)
    {
        service = std::make_shared<FakeService>();
        volume = std::make_shared<FakeVolume>();
        images = std::make_shared<FakeImages>();
        MediaBackends backends;
        backends.service = service;
        backends.volume = volume;
        backends.images = images;
        backends.autoPoll = autoPoll;
        return std::make_unique<MediaStore>(backends);
    }

    // Runs one tick to its end.
    static bool tick(MediaStore &store)
    {
        QSignalSpy done(&store, &MediaStore::tickFinished);
        store.refresh();
        return done.wait(3000) || done.count() > 0;
    }

private Q_SLOTS:
    void cleanup() { QThreadPool::globalInstance()->waitForDone(); }

    void pollsFirstAfterHalfASecondThenEveryTwo()
    {
        QElapsedTimer clock;
        clock.start();
        auto store = makeStore(true);
        QCOMPARE(service->queries, 0);
        QTRY_COMPARE_WITH_TIMEOUT(service->queries, 1, 1900);
        QVERIFY(clock.elapsed() >= 450);
        auto *poll = store->findChild<QTimer *>("pollTimer");
        QVERIFY(poll && poll->isActive());
        QCOMPARE(poll->interval(), 2000);
    }

    // A quiet service is not polled until it reports a change, except for
    // the tick that asks for a new track's art.
    void aQuietServiceIsNotPolled()
    {
        auto store = makeStore(true);
        auto *poll = store->findChild<QTimer *>("pollTimer");
        service->isQuiet = true;
        QVERIFY(tick(*store));
        QVERIFY(!poll->isActive());

        service->answer = serviceTrack("Song", "file:///art.png");
        QVERIFY(tick(*store));
        QVERIFY(poll->isActive());
        QVERIFY(tick(*store));
        QVERIFY(!poll->isActive());
        QTRY_VERIFY(store->hasAlbumArt());

        service->isQuiet = false;
        QVERIFY(tick(*store));
        QVERIFY(poll->isActive());
    }

    void nothingIsResetWhenNothingPlays()
    {
        auto store = makeStore();
        QVERIFY(tick(*store));
        QCOMPARE(store->title(), "");

        service->answer = serviceTrack("Song", "file:///art.png");
        QVERIFY(tick(*store));
        service->answer = serviceTrack("Song2", "file:///art2.png");
        QVERIFY(tick(*store));
        QTRY_VERIFY(store->hasAlbumArt());

        service->answer.reset();
        QSignalSpy changes(store.get(), &MediaStore::titleChanged);
        for (int i = 0; i < 3; ++i)
            QVERIFY(tick(*store));
        QCOMPARE(store->title(), "Song2");
        QCOMPARE(store->appName(), "mpv");
        QVERIFY(store->isPlaying());
        QCOMPARE(store->duration(), 200.0);
        QVERIFY(store->hasAlbumArt());
        QCOMPARE(changes.count(), 0);
    }

    void artIsAskedForOnTheTickAfterATitleChange()
    {
        auto store = makeStore();
        service->answer = serviceTrack("One", "file:///tmp/one.png");
        QVERIFY(tick(*store)); // the check still sees the empty title
        QThreadPool::globalInstance()->waitForDone();
        QVERIFY(images->urls().isEmpty());
        QVERIFY(!store->hasAlbumArt());

        QVERIFY(tick(*store));
        QTRY_COMPARE(images->urls(), QList<QUrl> { QUrl("file:///tmp/one.png") });
        QTRY_VERIFY(store->hasAlbumArt());
        QCOMPARE(store->albumArtUrl(), "image://albumart/1");
        std::unique_ptr<QQuickImageProvider> provider(store->createAlbumArtProvider());
        QSize size;
        QCOMPARE(provider->requestImage("1", &size, QSize()).size(), QSize(4, 3));

        QVERIFY(tick(*store)); // same title: nothing new
        QThreadPool::globalInstance()->waitForDone();
        QCOMPARE(images->urls().size(), 1);
    }

    void artNamedAfterTheTitleIsStillFetched()
    {
        auto store = makeStore();
        service->answer = serviceTrack("Two");
        QVERIFY(tick(*store));
        QVERIFY(tick(*store));
        service->answer->artUrl = "https://open.spotify.com/image/ab67";
        QVERIFY(tick(*store));
        QVERIFY(tick(*store));
        QTRY_COMPARE(images->urls(), QList<QUrl> { QUrl("https://i.scdn.co/image/ab67") });
        QVERIFY(tick(*store));
        QThreadPool::globalInstance()->waitForDone();
        QCOMPARE(images->urls().size(), 1);
    }

    void serviceCommandsGoToTheReportingPlayer()
    {
        auto store = makeStore();
        // Before any track there is no player to ask: only a refresh follows.
        store->togglePlayPause();
        QTRY_COMPARE(service->queries, 1);
        QVERIFY(service->sent.isEmpty());

        service->answer = serviceTrack("Song");
        service->answer->displayName = "Spotify";
        QVERIFY(tick(*store));
        const int before = service->queries;
        store->togglePlayPause();
        store->nextTrack();
        store->previousTrack();
        QCOMPARE(service->sent.size(), 3);
        QCOMPARE(service->sent.at(0).first, "org.mpris.MediaPlayer2.mpv");
        QCOMPARE(service->sent.at(0).second, NowPlayingService::Command::PlayPause);
        QCOMPARE(service->sent.at(1).second, NowPlayingService::Command::Next);
        QCOMPARE(service->sent.at(2).second, NowPlayingService::Command::Previous);
        // Each command is followed by a refresh half a second later.
        QTRY_VERIFY(service->queries > before);
    }

    void volumeIsTruncatedInSinglePrecision()
    {
        auto store = makeStore();
        QSignalSpy changed(store.get(), &MediaStore::volumeChanged);
        store->setVolume(0.999f);
        QCOMPARE(store->volume(), 0.999f);
        store->setVolume(1.0f);
        store->setVolume(0.0f);
        store->setVolume(0.37f);
        store->setVolume(7.0f);
        store->setVolume(-1.0f);
        QTRY_COMPARE(volume->sent(), QList<int>({ 99, 100, 0, 37, 100, 0 }));
        QCOMPARE(changed.count(), 6);
    }

    void overlappingRefreshesRunOneAfterAnother()
    {
        auto store = makeStore();
        service->hold = true;
        store->refresh();
        store->refresh();
        store->refresh();
        QCOMPARE(service->queries, 1);
        service->hold = false;
        service->answer = serviceTrack("Song");
        service->held.takeFirst()(service->answer);
        QCOMPARE(store->title(), "Song");
        QCOMPARE(service->queries, 2); // the asked-for tick follows at once
    }

    void aPlayerChangeRefreshesAtOnce()
    {
        auto store = makeStore();
        auto *soon = store->findChild<QTimer *>("soonTimer");
        QVERIFY(soon);
        QSignalSpy ticks(store.get(), &MediaStore::tickFinished);
        service->changed();
        service->changed();
        QVERIFY(soon->isActive());
        QVERIFY(ticks.wait());
        // The burst made one refresh and left none pending.
        QCOMPARE(service->queries, 1);
        QVERIFY(!soon->isActive());
    }
};

BRIVANE_TEST_MAIN(TestMediaStore)
#include "tst_mediastore.moc"
