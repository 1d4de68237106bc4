// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestSupport.h"
#include "desk/TimerStore.h"

class TestTimerStore : public QObject
{
    Q_OBJECT

    // A clock the test moves: each of the store's ticks comes a second on.
    struct FakeClock
    {
        qint64 ms = 1'000'000;
        void attach(TimerStore &store)
        {
            store.setClock([this] { return ms; });
        }
    } clock;

    void ticks(TimerStore &store, int n)
    {
        for (int i = 0; i < n; ++i) {
            clock.ms += 1000;
            store.tick();
        }
    }

private Q_SLOTS:
    void stopwatchCountsUpAndStartsAgainFromZero()
    {
        TimerStore store;
        clock.attach(store);
        QCOMPARE(store.isStopwatch(), true);
        QCOMPARE(store.display(), QStringLiteral("0:00"));
        store.start();
        QVERIFY(store.timerActive());
        ticks(store, 3);
        QCOMPARE(store.display(), QStringLiteral("0:03"));
        store.stop();
        QVERIFY(!store.timerActive());
        QCOMPARE(store.display(), QStringLiteral("0:03"));
        store.toggleRunning(); // no resume
        QCOMPARE(store.display(), QStringLiteral("0:00"));
        QVERIFY(store.isRunning());
    }

    void skipMovesOnlyWhileRunning()
    {
        TimerStore store;
        clock.attach(store);
        store.skip();
        QCOMPARE(store.seconds(), 0);

        int beeps = 0;
        store.setBeep([&beeps] { ++beeps; });
        store.chooseCountdownLength(180);
        QCOMPARE(store.isStopwatch(), true); // the length waits for countdown mode
        store.chooseStopwatch(false);
        QCOMPARE(store.display(), QStringLiteral("3:00"));
        store.skip(); // stopped: nothing
        QCOMPARE(store.display(), QStringLiteral("3:00"));

        // Skipping past the end leaves a negative time until the next tick ends it.
        store.chooseCountdownLength(60);
        store.start();
        ticks(store, 55);
        store.skip();
        QCOMPARE(store.display(), QStringLiteral("-0:05"));
        QCOMPARE(beeps, 0);
        ticks(store, 1);
        QCOMPARE(store.display(), QStringLiteral("-0:06"));
        QCOMPARE(store.isRunning(), false);
        QCOMPARE(beeps, 1);
    }

    void choosingAModeOrLengthStopsAndShowsTheStartValue()
    {
        TimerStore store;
        clock.attach(store);
        store.chooseStopwatch(false);
        store.chooseCountdownLength(300);
        store.start();
        ticks(store, 2);
        QCOMPARE(store.display(), QStringLiteral("4:58"));
        store.chooseCountdownLength(600);
        QCOMPARE(store.isRunning(), false);
        QCOMPARE(store.display(), QStringLiteral("10:00"));
        store.start();
        store.reset();
        QCOMPARE(store.isRunning(), false);
        QCOMPARE(store.display(), QStringLiteral("10:00"));
        store.start();
        store.chooseStopwatch(true);
        QCOMPARE(store.isRunning(), false);
        QCOMPARE(store.display(), QStringLiteral("0:00"));
    }

    // The time comes from the clock: ticks that come late, or not at all
    // while the machine sleeps, still show the true time.
    void lateTicksAndSleepShowTheClocksTime()
    {
        TimerStore store;
        clock.attach(store);
        store.start();
        clock.ms += 3700;
        store.tick();
        QCOMPARE(store.display(), QStringLiteral("0:03"));
        clock.ms += 600;
        store.stop();
        QCOMPARE(store.display(), QStringLiteral("0:04"));
        clock.ms += 5000; // stopped: the time stays
        store.tick();
        QCOMPARE(store.display(), QStringLiteral("0:04"));

        int beeps = 0;
        store.setBeep([&beeps] { ++beeps; });
        store.chooseStopwatch(false);
        store.start();
        ticks(store, 20);
        clock.ms += 3'600'000; // an hour asleep, then one tick
        store.tick();
        QCOMPARE(store.display(), QStringLiteral("0:00"));
        QCOMPARE(store.isRunning(), false);
        QCOMPARE(beeps, 1);
        store.tick();
        QCOMPARE(beeps, 1);
    }

    void displayFormat_data()
    {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("no hours") << qint64(3725) << "62:05";
        QTest::newRow("minus 65") << qint64(-65) << "-1:05";
        QTest::newRow("most negative") << std::numeric_limits<qint64>::min() << "-153722867280912930:08";
    }
    void displayFormat()
    {
        QFETCH(qint64, seconds);
        QFETCH(QString, text);
        QCOMPARE(TimerStore::formatSeconds(seconds), text);
    }

    // Counting down to exactly zero beeps once and stops, on the real timer.
    void theRealTimerDrivesTheCount()
    {
        TimerStore store;
        int beeps = 0;
        store.setBeep([&beeps] { ++beeps; });
        store.chooseStopwatch(false);
        store.setCountdownTotal(1);
        store.start();
        QTRY_COMPARE_WITH_TIMEOUT(beeps, 1, 5000);
        QCOMPARE(store.isRunning(), false);
        QCOMPARE(store.display(), QStringLiteral("0:00"));
    }
};

BRIVANE_TEST_MAIN(TestTimerStore)
#include "tst_timerstore.moc"
