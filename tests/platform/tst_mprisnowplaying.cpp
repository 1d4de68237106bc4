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

BRIVANE_TEST_MAIN(TestMprisNowPlaying)
#include "tst_mprisnowplaying.moc"
