// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FakeFigures.h"
#include "TestSupport.h"
#include "stats/StatsSampler.h"
#include "stats/StatsSource.h"
#include "ui/Symbols.h"

using TestSupport::ViewHost;

namespace {
constexpr quint64 GiB = 1ull << 30;
}

// The Stats panel as the card shows it, fed recorded figures.
class TestStatsPanel : public QObject
{
    Q_OBJECT

    std::shared_ptr<FakeFigures> m_figures;
    std::unique_ptr<StatsSource> m_source;

    // A panel created off screen, switched to the fake figures, then shown.
    std::unique_ptr<ViewHost> showPanel()
    {
        auto view
            = std::make_unique<ViewHost>(QStringLiteral("StatsPanel"), QVariantMap { { "visible", false } });
        auto *sampler = view->root()->property("sampler").value<StatsSampler *>();
        if (!sampler || sampler->isTicking())
            return nullptr;
        sampler->setSource(m_source.get());
        view->root()->setVisible(true);
        return view;
    }
    static QString text(QQuickItem *row, const char *name)
    {
        QQuickItem *item = TestSupport::findItem(row, QString::fromLatin1(name));
        return item ? item->property("text").toString() : QStringLiteral("<missing>");
    }
    static QQuickItem *bar(QQuickItem *row) { return TestSupport::findItem(row, QStringLiteral("bar")); }
    static qreal fillWidth(QQuickItem *row)
    {
        return TestSupport::findItem(row, QStringLiteral("fill"))->width();
    }

private Q_SLOTS:
    void init()
    {
        m_figures = std::make_shared<FakeFigures>();
        m_figures->setCpu(CpuTimes { 0, 0 }, CpuTimes { 731, 9269 }); // 7.31% busy
        m_figures->memoryFigures = MemoryFigures { 16 * GiB, 12 * GiB };
        m_figures->diskFree = 500 * GiB;
        m_figures->uptime = 25 * 3600 + 60 + 1;
        m_source = std::make_unique<StatsSource>(m_figures, nullptr, 0);
    }

    void showsFiveRowsWithTheirFiguresAndBars()
    {
        m_figures->powerReading.batteryPercent = 85;
        m_figures->powerReading.hasSystemBattery = true;
        m_figures->powerReading.externalPowerOnline = true;
        auto view = showPanel();
        QVERIFY(view);
        // The battery and the processor load come from worker threads.
        QTRY_VERIFY(view->find("statRow_Battery"));
        QQuickItem *cpu = view->find("statRow_CPU");
        QVERIFY(cpu);
        QTRY_COMPARE(text(cpu, "value"), QStringLiteral("7%"));
        QVERIFY(bar(cpu)->isVisible());
        QCOMPARE(fillWidth(cpu), 70 * 0.0731);

        QQuickItem *ram = view->find("statRow_RAM");
        QQuickItem *disk = view->find("statRow_Disk");
        QCOMPARE(fillWidth(disk), 35.0);
        QQuickItem *battery = view->find("statRow_Battery");
        QCOMPARE(text(battery, "value"), QStringLiteral("85% \u26A1"));

        QQuickItem *uptime = view->find("statRow_Uptime");
        QCOMPARE(text(uptime, "value"), QStringLiteral("25h 1m"));
        QVERIFY(!bar(uptime)->isVisible());

        // Top to bottom in that order, 8 apart.
        const QList<QQuickItem *> rows { cpu, ram, disk, battery, uptime };
        for (int i = 1; i < rows.size(); ++i)
            QTRY_COMPARE(rows.at(i)->y(), rows.at(i - 1)->y() + rows.at(i - 1)->height() + 8);
        QCOMPARE(view->root()->implicitHeight(), uptime->y() + uptime->height());
    }

    void withoutABatteryReadingThereIsNoBatteryRow()
    {
        auto view = showPanel();
        QVERIFY(view);
        QTRY_COMPARE(text(view->find("statRow_Uptime"), "value"), QStringLiteral("25h 1m"));
        QVERIFY(!view->find("statRow_Battery"));

        QTRY_VERIFY(!m_source->isReadingPower());
        // A reading that arrives later adds the row; on battery power it shows the battery symbol.
        m_figures->powerReading.batteryPercent = 40;
        m_figures->powerReading.hasSystemBattery = true;
        view->root()->property("sampler").value<StatsSampler *>()->refresh();
        QTRY_VERIFY(view->find("statRow_Battery"));
        QQuickItem *battery = view->find("statRow_Battery");
        QCOMPARE(text(battery, "value"), QStringLiteral("40%"));
        QCOMPARE(text(battery, "icon"), Symbols::glyph("battery.75percent"));
    }

    void beforeTheFirstReadingBarsOfZeroAreHidden()
    {
        m_figures->setCpu(std::nullopt);
        m_figures->memoryFigures.reset();
        auto view = showPanel();
        QVERIFY(view);
        QCOMPARE(text(view->find("statRow_CPU"), "value"), QStringLiteral("0%"));
        QVERIFY(!bar(view->find("statRow_CPU"))->isVisible());
        QCOMPARE(text(view->find("statRow_RAM"), "value"), QStringLiteral("0.0 / 0 GB"));
        QVERIFY(!bar(view->find("statRow_RAM"))->isVisible());
        QVERIFY(bar(view->find("statRow_Disk"))->isVisible());
    }

    void samplingRunsOnlyWhileShownAndEndsWithThePanel()
    {
        auto view = showPanel();
        QVERIFY(view);
        QPointer<StatsSampler> sampler = view->root()->property("sampler").value<StatsSampler *>();
        QCOMPARE(m_figures->memoryReads, 1); // once on coming on screen, then every interval
        QVERIFY(sampler->isTicking());
        QTRY_VERIFY_WITH_TIMEOUT(m_figures->memoryReads >= 2, StatsSampler::refreshIntervalMs * 3);
        view->root()->setVisible(false);
        QVERIFY(!sampler->isTicking());
        view.reset();
        QVERIFY(sampler.isNull());
        QTRY_VERIFY(!m_source->isMeasuring());
    }
};

BRIVANE_TEST_MAIN(TestStatsPanel)
#include "tst_statspanel.moc"
