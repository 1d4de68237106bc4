// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What players' properties mean, whatever their types, and which player is shown.
#include "TestSupport.h"
#include "platform/MprisNowPlaying.h"

#include <QDBusVariant>

class TestMprisNowPlaying : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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

    // Players as "bus|status|identity|activity|title".
    void mprisChosenIdentityWinsWhileItHasATrack_data()
    {
        QTest::addColumn<QStringList>("players");
        QTest::addColumn<QString>("preferred");
        QTest::addColumn<QString>("expected");
        const QStringList two { "a|Paused|mpv Media Player|1|t", "b|Playing|Other|5|t" };
        QTest::newRow("paused choice beats a playing other") << two << "mpv Media Player"
                                                             << "a";
        QTest::newRow("no choice") << two << ""
                                   << "b";
        QTest::newRow("chosen one absent") << two << "Gone Player"
                                           << "b";
        QTest::newRow("only part of a name") << two << "mpv"
                                             << "b";
        QTest::newRow("chosen one has no title")
            << QStringList { "a|Playing|mpv Media Player|9|", "b|Paused|Other|1|t" } << "mpv Media Player"
            << "b";
        // A choice is made from the listed form of an identity.
        QTest::newRow("matched as listed")
            << QStringList { "a|Stopped|  mpv\nMedia\tPlayer |1|t", "b|Playing|Other|5|t" }
            << "mpv Media Player"
            << "a";
        QTest::newRow("two of the chosen ranked as usual")
            << QStringList { "a|Paused|mpv|9|t", "c|Playing|mpv|1|t", "b|Playing|Other|5|t" } << "mpv"
            << "c";
        QTest::newRow("long identity matched by its bounded prefix")
            << QStringList { "a|Paused|" + QString(500, 'x') + "|1|t", "b|Playing|Other|5|t" }
            << QString(MprisNowPlaying::kMaxIdentityLength, 'x') << "a";
    }
    void mprisChosenIdentityWinsWhileItHasATrack()
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

BRIVANE_TEST_MAIN(TestMprisNowPlaying)
#include "tst_mprisnowplaying.moc"
