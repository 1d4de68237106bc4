// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FakeFigures.h"
#include "TestSupport.h"
#include "stats/StatsFormat.h"
#include "stats/StatsSampler.h"
#include "stats/StatsSource.h"

#include <QAbstractItemModelTester>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

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

    // A figure from the second line `program` prints: the first under its header.
    static double figure(const QString &program, const QStringList &arguments, int column)
    {
        QProcess process;
        process.start(program, arguments);
        if (!process.waitForFinished(10000) || process.exitCode() != 0)
            return -1;
        const QStringList lines
            = QString::fromLocal8Bit(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        return lines.value(1).split(' ', Qt::SkipEmptyParts).value(column, "-1").toDouble();
    }

private Q_SLOTS:
    void init()
    {
        m_figures = std::make_shared<FakeFigures>();
        m_nowMs = 100000;
        m_source = std::make_unique<StatsSource>(
            m_figures, [this] { return m_nowMs; }, 0);
    }

    // The battery row and its charger are the panel test's.
    void refreshReadsEveryFigure()
    {
        m_figures->memoryFigures = MemoryFigures { 16 * GiB, 12 * GiB };
        m_figures->diskFree = 500 * GiB;
        m_figures->uptime = 50 * 3600 + 2 * 60 + 59.9;
        StatsSampler sampler(m_source.get());
        sampler.refresh();
        QCOMPARE(sampler.memTotal(), 16.0); // exactly
        QCOMPARE(sampler.memUsed(), 4.0);
        QCOMPARE(sampler.diskFree(), QStringLiteral("500GB"));
        QCOMPARE(sampler.uptime(), QStringLiteral("50h 2m")); // truncated, not rounded
        QCOMPARE(sampler.rows()->rows().at(1).value, QStringLiteral("4.0 / 16 GB")); // RAM
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

    // The labels, the bars of figures not yet read and the Disk bar are the panel test's.
    void rowsFollowTheFigures()
    {
        StatsValues values;
        values.memUsed = 20; // past its total
        values.memTotal = 16;
        values.battery = 0;
        const QList<StatRow> rows = StatsFormat::rows(values);
        // The fill is not capped: a figure past its total shows as such.
        QCOMPARE(rows.at(1).progress, 1.25);
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

    // The figures of this machine against the standard tools: one sanity
    // check per figure; their arithmetic is the fake figures' cases'.
    void figuresAgreeWithTheSystemTools()
    {
        StatsSampler sampler;
        sampler.refresh();
        // MemTotal never moves, unlike what is in use.
        const double total = figure("free", { "-b" }, 1);
        QCOMPARE(sampler.memTotal() * StatsFormat::bytesPerGigabyte, total);
        QVERIFY(sampler.memUsed() > 0 && sampler.memUsed() < sampler.memTotal());

        const double dfFree = figure("df", { "-B1", "/" }, 3) / StatsFormat::bytesPerGigabyte;
        QVERIFY2(
            qAbs(sampler.diskFree().chopped(2).toDouble() - dfFree) <= 1.0, qPrintable(sampler.diskFree()));

        // /proc/uptime counts suspended time too, as the boot clock does.
        QFile uptimeFile("/proc/uptime");
        QVERIFY(uptimeFile.open(QIODevice::ReadOnly));
        const int minutes = int(uptimeFile.readAll().split(' ').value(0).toDouble()) / 60;
        const QRegularExpressionMatch uptime
            = QRegularExpression("^(\\d+)h (\\d+)m$").match(sampler.uptime());
        QVERIFY2(uptime.hasMatch(), qPrintable(sampler.uptime()));
        QVERIFY(qAbs(uptime.captured(1).toInt() * 60 + uptime.captured(2).toInt() - minutes) <= 1);

        // The battery (or mains) and the processor load arrive off the UI thread.
        QTRY_VERIFY(sampler.battery() >= 0 || sampler.charging());
        QVERIFY(sampler.battery() <= 100);
        QTRY_VERIFY(!StatsSource::shared()->isMeasuring());
        QVERIFY(sampler.cpu() >= 0 && sampler.cpu() <= 100);
    }
};

BRIVANE_TEST_MAIN(TestStatsSampler)
#include "tst_statssampler.moc"
