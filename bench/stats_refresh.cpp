// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Prints the median cost of StatsSampler::refresh() on the UI thread over 1000
// calls on the kernel's real figures, and what each read costs; the power
// supplies are read on a worker thread, not within refresh().
#include "platform/SystemFigures.h"
#include "stats/StatsSampler.h"
#include "stats/StatsSource.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// The kernel's figures with the clock moved on a minute per read, so every
// refresh changes a row: the cost of a tick that updates the view's model.
class MovingUptime : public SystemFigures
{
public:
    std::optional<CpuTimes> cpuTimes() const override { return m_kernel.cpuTimes(); }
    std::optional<MemoryFigures> memory() const override { return m_kernel.memory(); }
    std::optional<quint64> diskFreeBytes() const override { return m_kernel.diskFreeBytes(); }
    PowerReading power() const override { return m_kernel.power(); }
    std::optional<double> uptimeSeconds() const override { return m_minutes++ * 60.0; }

private:
    KernelFigures m_kernel;
    mutable qint64 m_minutes = 0;
};

struct Figures
{
    double median = 0, p99 = 0, max = 0;
};

Figures measure(int runs, const std::function<void()> &work)
{
    std::vector<qint64> ns;
    ns.reserve(size_t(runs));
    QElapsedTimer clock;
    for (int i = 0; i < runs; ++i) {
        clock.start();
        work();
        ns.push_back(clock.nsecsElapsed());
    }
    std::sort(ns.begin(), ns.end());
    return { ns[ns.size() / 2] / 1000.0, ns[ns.size() * 99 / 100] / 1000.0, ns.back() / 1000.0 };
}

void print(const char *what, const Figures &f)
{
    std::printf("%-28s median %8.1f us   p99 %8.1f us   max %8.1f us\n", what, f.median, f.p99, f.max);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    constexpr int runs = 1000;

    // The first refresh starts the short processor sample; let it land so the
    // calls measured are the steady ones of a panel on screen.
    StatsSampler sampler;
    sampler.refresh();
    const QDeadlineTimer deadline(5000);
    while (StatsSource::shared()->isMeasuring() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);

    print("refresh()", measure(runs, [&] { sampler.refresh(); }));

    StatsSource moving(std::make_shared<MovingUptime>());
    StatsSampler changing(&moving);
    changing.refresh();
    print("refresh() changing a row", measure(runs, [&] { changing.refresh(); }));

    const KernelFigures kernel;
    print("  /proc/stat", measure(runs, [&] { (void)kernel.cpuTimes(); }));
    print("  /proc/meminfo", measure(runs, [&] { (void)kernel.memory(); }));
    print("  statvfs(\"/\")", measure(runs, [&] { (void)kernel.diskFreeBytes(); }));
    print("  power supplies (worker)", measure(runs, [&] { (void)kernel.power(); }));
    print("  CLOCK_BOOTTIME", measure(runs, [&] { (void)kernel.uptimeSeconds(); }));
    std::printf("cpu %.1f%%  memory %.1f / %.0f GB  disk %s  battery %d%s  uptime %s\n", sampler.cpu(),
        sampler.memUsed(), sampler.memTotal(), qPrintable(sampler.diskFree()), sampler.battery(),
        sampler.charging() ? " (mains)" : "", qPrintable(sampler.uptime()));
    return 0;
}
