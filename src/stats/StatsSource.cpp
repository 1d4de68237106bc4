// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "StatsSource.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

StatsSource::StatsSource(
    std::shared_ptr<const SystemFigures> figures, Clock clock, int shortSampleMs, QObject *parent)
    : QObject(parent)
    , m_figures(std::move(figures))
    , m_clock(std::move(clock))
    , m_shortSampleMs(shortSampleMs)
{
    if (!m_clock) {
        m_clock = [] {
            static QElapsedTimer monotonic;
            if (!monotonic.isValid())
                monotonic.start();
            return monotonic.elapsed();
        };
    }
    // One for the processor sample, one for the power supplies.
    m_pool.setMaxThreadCount(2);
}

StatsSource::~StatsSource()
{
    m_pool.clear();
    m_pool.waitForDone();
}

StatsSource *StatsSource::shared()
{
    // Owned by the application object, so its worker threads are joined
    // while Qt is still up; without one (a plain tool) it lives to the end.
    static StatsSource *source = new StatsSource(
        std::make_shared<KernelFigures>(), {}, defaultShortSampleMs, QCoreApplication::instance());
    return source;
}

std::optional<double> StatsSource::sampleCpu()
{
    const std::optional<CpuTimes> now = m_figures->cpuTimes();
    if (!now)
        return std::nullopt;
    const qint64 at = m_clock();
    if (!m_last || at - m_last->atMs > maxSampleAgeMs) {
        startShortSample();
        return std::nullopt;
    }
    if (at - m_last->atMs >= minSampleSpanMs) {
        // Counters that went backwards start a new baseline; the figure of
        // the previous span stands until the next one.
        const std::optional<double> percent = busyPercentBetween(m_last->times, *now);
        m_last = Sample { *now, at, percent.value_or(m_last->percent) };
    }
    return m_last->percent;
}

void StatsSource::startShortSample()
{
    if (m_measuring)
        return;
    m_measuring = true;
    const std::shared_ptr<const SystemFigures> figures = m_figures;
    const int spanMs = m_shortSampleMs;
    m_pool.start([this, figures, spanMs] {
        const std::optional<CpuTimes> first = figures->cpuTimes();
        QThread::msleep(ulong(spanMs));
        const std::optional<CpuTimes> second = figures->cpuTimes();
        std::optional<double> percent;
        if (first && second)
            percent = busyPercentBetween(*first, *second);
        // The pool is destroyed before this object, so `this` is still alive
        // here; a destroyed object's queued calls are dropped.
        QMetaObject::invokeMethod(
            this,
            [this, second, percent] {
                m_measuring = false;
                if (!second || !percent)
                    return;
                m_last = Sample { *second, m_clock(), *percent };
                Q_EMIT cpuMeasured(*percent);
            },
            Qt::QueuedConnection);
    });
}

std::optional<PowerReading> StatsSource::samplePower()
{
    if (!m_readingPower) {
        m_readingPower = true;
        const std::shared_ptr<const SystemFigures> figures = m_figures;
        m_pool.start([this, figures] {
            const PowerReading reading = figures->power();
            QMetaObject::invokeMethod(
                this,
                [this, reading] {
                    m_readingPower = false;
                    m_lastPower = reading;
                    m_lastPowerAtMs = m_clock();
                    Q_EMIT powerRead(reading);
                },
                Qt::QueuedConnection);
        });
    }
    if (m_lastPower && m_clock() - m_lastPowerAtMs <= maxSampleAgeMs)
        return m_lastPower;
    return std::nullopt;
}
