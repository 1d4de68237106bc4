// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FakeFigures.h"
#include "TestSupport.h"
#include "stats/StatsFormat.h"
#include "stats/StatsSampler.h"
#include "stats/StatsSource.h"

#include <QAbstractItemModelTester>

namespace {
constexpr quint64 GiB = 1ull << 30;

PowerReading onBattery(int percent)
{
    PowerReading power;
    power.batteryPercent = percent;
    power.hasSystemBattery = true;
    return power;
}
} // namespace

class TestStatsSampler : public QObject
{
    Q_OBJECT

    std::shared_ptr<FakeFigures> m_figures;
    qint64 m_nowMs = 0;
    std::unique_ptr<StatsSource> m_source;

    static StatRow rowLabelled(StatsSampler &sampler, const QString &label)
    {
        for (const StatRow &row : sampler.rows()->rows()) {
            if (row.label == label)
                return row;
        }
        return {};
    }

private Q_SLOTS:
    void init()
    {
        m_figures = std::make_shared<FakeFigures>();
        m_nowMs = 100000;
        m_source = std::make_unique<StatsSource>(
            m_figures, [this] { return m_nowMs; }, 0);
    }

    void refreshReadsEveryFigure()
    {
        m_figures->memoryFigures = MemoryFigures { 16 * GiB, 12 * GiB };
        m_figures->diskFree = 500 * GiB;
        m_figures->powerReading = onBattery(85);
        m_figures->powerReading.externalPowerOnline = true;
        m_figures->uptime = 50 * 3600 + 2 * 60 + 59.9;
        StatsSampler sampler(m_source.get());
        sampler.refresh();
        QCOMPARE(sampler.memTotal(), 16.0); // exactly
        QCOMPARE(sampler.memUsed(), 4.0);
        QCOMPARE(sampler.diskFree(), QStringLiteral("500GB"));
        QTRY_COMPARE(sampler.battery(), 85);
        QCOMPARE(sampler.charging(), true);
        QCOMPARE(sampler.uptime(), QStringLiteral("50h 2m")); // truncated, not rounded
        QCOMPARE(rowLabelled(sampler, "RAM").value, QStringLiteral("4.0 / 16 GB"));
        QCOMPARE(rowLabelled(sampler, "Battery").value, QStringLiteral("85% \u26A1"));
    }

    void figuresThatCannotBeReadKeepTheirLastValue()
    {
        m_figures->memoryFigures = MemoryFigures { 8 * GiB, 6 * GiB };
        m_figures->diskFree = 100 * GiB;
        m_figures->powerReading = onBattery(40);
        m_figures->uptime = 3600;
        StatsSampler sampler(m_source.get());
        sampler.refresh();
        QTRY_COMPARE(sampler.battery(), 40);
        const StatsValues before = sampler.values();

        m_figures->memoryFigures.reset();
        m_figures->diskFree.reset();
        m_figures->uptime.reset();
        // The battery is there but its charge unreadable, the charger still unplugged.
        m_figures->powerReading.batteryPercent.reset();
        QSignalSpy changes(&sampler, &StatsSampler::memoryChanged);
        sampler.refresh();
        QTRY_VERIFY(!m_source->isReadingPower());
        QCOMPARE(sampler.values(), before);
        QCOMPARE(changes.size(), 0);

        // Whether the machine is on mains is read every time, figure or not.
        m_figures->powerReading.externalPowerOnline = true;
        sampler.refresh();
        QTRY_COMPARE(sampler.charging(), true);
        QCOMPARE(sampler.battery(), 40);
    }

    void slowBatteriesNeverHoldUpARefresh()
    {
        QSemaphore gate;
        m_figures->powerGate = &gate;
        m_figures->powerReading = onBattery(30);
        m_figures->uptime = 60;
        StatsSampler sampler(m_source.get());
        sampler.refresh();
        // Everything else is in; the battery is still being asked.
        QCOMPARE(sampler.uptime(), QStringLiteral("0h 1m"));
        QCOMPARE(sampler.battery(), -1);
        QVERIFY(m_source->isReadingPower());
        sampler.refresh(); // no second read piles up behind the first
        gate.release();
        QTRY_COMPARE(sampler.battery(), 30);
        QVERIFY(!m_source->isReadingPower());
        QCOMPARE(gate.available(), 0);

        // A panel opened soon after shows that reading at once, while a fresh one is read.
        StatsSampler next(m_source.get());
        next.refresh();
        QCOMPARE(next.battery(), 30);
        m_nowMs += StatsSource::maxSampleAgeMs + 1;
        StatsSampler later(m_source.get());
        later.refresh();
        QCOMPARE(later.battery(), -1); // too old to show
        gate.release(2);
        QTRY_COMPARE(later.battery(), 30);
        QTRY_VERIFY(!m_source->isReadingPower());
    }

    void processorLoadIsMeasuredBetweenSamples()
    {
        StatsSampler sampler(m_source.get());
        QSignalSpy cpuChanges(&sampler, &StatsSampler::cpuChanged);

        // No sample yet: the first refresh leaves 0 and a short sample follows off this thread.
        m_figures->setCpu(CpuTimes { 0, 0 }, CpuTimes { 1, 3 });
        sampler.refresh();
        QCOMPARE(sampler.cpu(), 0.0);
        QVERIFY(m_source->isMeasuring());
        QTRY_COMPARE(sampler.cpu(), 25.0);
        QCOMPARE(cpuChanges.size(), 1);
        QVERIFY(!m_source->isMeasuring());
        // The short sample's reads left the counters at {3, 9}; its last one, {2, 6}, is the base.

        // The next tick measures from that sample to now.
        m_nowMs += 2000;
        m_figures->setCpu(CpuTimes { 102, 106 });
        sampler.refresh();
        QCOMPARE(sampler.cpu(), 50.0);

        // A refresh moments later reuses the figure rather than measuring a sliver of time.
        m_nowMs += 100;
        m_figures->setCpu(CpuTimes { 202, 106 });
        sampler.refresh();
        QCOMPARE(sampler.cpu(), 50.0);
        m_nowMs += 1900;
        sampler.refresh();
        QCOMPARE(sampler.cpu(), 100.0); // {102,106} -> {202,106}

        // A second panel opened soon after shows the load at once.
        StatsSampler next(m_source.get());
        m_nowMs += 100;
        next.refresh();
        QCOMPARE(next.cpu(), 100.0);
        QVERIFY(!m_source->isMeasuring());
    }

    void aStaleSampleIsReplacedByAShortOne()
    {
        StatsSampler sampler(m_source.get());
        m_figures->setCpu(CpuTimes { 0, 0 }, CpuTimes { 1, 1 });
        sampler.refresh();
        QTRY_COMPARE(sampler.cpu(), 50.0);

        m_nowMs += StatsSource::maxSampleAgeMs + 1;
        m_figures->setCpu(CpuTimes { 1000, 0 }, CpuTimes { 3, 1 });
        sampler.refresh();
        QVERIFY(m_source->isMeasuring());
        QCOMPARE(sampler.cpu(), 50.0); // the old figure stands until the new one arrives
        QTRY_COMPARE(sampler.cpu(), 75.0);
    }

    void unreadableProcessorTimesKeepTheLastFigure()
    {
        StatsSampler sampler(m_source.get());
        m_figures->setCpu(CpuTimes { 0, 0 }, CpuTimes { 1, 1 });
        sampler.refresh();
        QTRY_COMPARE(sampler.cpu(), 50.0);

        m_figures->setCpu(std::nullopt);
        m_nowMs += 2000;
        sampler.refresh();
        QCOMPARE(sampler.cpu(), 50.0);

        // Counters that run backwards give no figure either, and become the new base.
        m_figures->setCpu(CpuTimes { 0, 0 });
        m_nowMs += 2000;
        sampler.refresh();
        QCOMPARE(sampler.cpu(), 50.0);
        m_figures->setCpu(CpuTimes { 10, 30 });
        m_nowMs += 2000;
        sampler.refresh();
        QCOMPARE(sampler.cpu(), 25.0);
    }

    void aPanelClosedDuringAShortSampleLeavesNothingBehind()
    {
        StatsSource slow(
            m_figures, [this] { return m_nowMs; }, 50);
        m_figures->setCpu(CpuTimes { 0, 0 }, CpuTimes { 1, 1 });
        auto sampler = std::make_unique<StatsSampler>(&slow);
        sampler->refresh();
        QVERIFY(slow.isMeasuring());
        sampler.reset();
        QTRY_VERIFY(!slow.isMeasuring());
        // The sample is kept for the next panel.
        StatsSampler next(&slow);
        next.refresh();
        QCOMPARE(next.cpu(), 50.0);
    }

    void activeRefreshesAtOnceThenEveryTwoSeconds()
    {
        StatsSampler sampler(m_source.get());
        QCOMPARE(sampler.isTicking(), false);
        QCOMPARE(m_figures->memoryReads, 0); // nothing is read until asked
        sampler.setActive(true);
        QCOMPARE(m_figures->memoryReads, 1);
        QVERIFY(sampler.isTicking());
        QTRY_VERIFY_WITH_TIMEOUT(m_figures->memoryReads >= 2, StatsSampler::refreshIntervalMs * 3);
        sampler.setActive(false);
        QVERIFY(!sampler.isTicking());
        const int reads = m_figures->memoryReads;
        sampler.setActive(false);
        QCOMPARE(m_figures->memoryReads, reads);
    }

    void rowsFollowTheFigures()
    {
        QCOMPARE(StatsFormat::diskFree(quint64(1.6 * GiB)), QStringLiteral("2GB"));
        StatsValues values;
        values.memUsed = 20; // past its total
        values.memTotal = 16;
        values.battery = 0;
        values.charging = false;
        // The labels and the rows without a battery are the panel test's.
        const QList<StatRow> rows = StatsFormat::rows(values);
        QCOMPARE(rows.at(3).label, QStringLiteral("Battery"));
        QVERIFY(!rows.at(0).barShown);
        // The fill is not capped: a figure past its total shows as such.
        QCOMPARE(rows.at(1).progress, 1.25);
        QCOMPARE(rows.at(2).progress, 0.5); // the Disk bar is half full, whatever the figure
        // An empty battery still shows its row, without a bar.
        QCOMPARE(rows.at(3).value, QStringLiteral("0%"));
        QVERIFY(!rows.at(3).barShown);
    }

    void theRowModelUpdatesRowsInPlace()
    {
        StatsSampler sampler(m_source.get());
        StatRowsModel *model = sampler.rows();
        QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy resets(model, &QAbstractItemModel::modelReset);
        QSignalSpy changes(model, &QAbstractItemModel::dataChanged);

        m_figures->uptime = 120;
        sampler.refresh();
        QTRY_VERIFY(!m_source->isReadingPower());
        QCOMPARE(resets.size(), 0);
        QCOMPARE(changes.size(), 1);
        QCOMPARE(changes.at(0).at(0).toModelIndex().row(), 3);
        sampler.refresh();
        QTRY_VERIFY(!m_source->isReadingPower());
        QCOMPARE(changes.size(), 1); // nothing changed, nothing announced

        // The battery row joins the others, which stay as they are.
        QSignalSpy inserts(model, &QAbstractItemModel::rowsInserted);
        m_figures->powerReading = onBattery(50);
        sampler.refresh();
        QTRY_COMPARE(model->rowCount(), 5);
        QCOMPARE(inserts.size(), 1);
        QCOMPARE(inserts.at(0).at(1).toInt(), 3);
        QCOMPARE(resets.size(), 0);
        QCOMPARE(
            model->data(model->index(3), StatRowsModel::LabelRole).toString(), QStringLiteral("Battery"));

        // A model handed a fresh set (as a new panel's would be) loses the row again.
        QSignalSpy removals(model, &QAbstractItemModel::rowsRemoved);
        model->setRows(StatsFormat::rows(StatsValues {}));
        QCOMPARE(removals.size(), 1);
        QCOMPARE(model->rows(), StatsFormat::rows(StatsValues {}));
        QCOMPARE(resets.size(), 0);
    }
};

BRIVANE_TEST_MAIN(TestStatsSampler)
#include "tst_statssampler.moc"
