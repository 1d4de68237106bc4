// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/SystemFigures.h"

#include <QObject>
#include <QThreadPool>
#include <functional>
#include <memory>
#include <optional>

// Where the statistics come from, shared by every Stats panel of the process:
// the kernel figures, the last processor sample and the last power reading.
// Keeping them here rather than in a panel lets a panel that comes on screen
// show the load and the battery at once instead of waiting for them.
class StatsSource : public QObject
{
    Q_OBJECT
public:
    // Monotonic milliseconds.
    using Clock = std::function<qint64()>;

    // A sample older than this says nothing about the load now.
    static constexpr qint64 maxSampleAgeMs = 10000;
    // Two readings closer than this are mostly rounding noise of the tick counters.
    static constexpr qint64 minSampleSpanMs = 250;
    static constexpr int defaultShortSampleMs = 250;

    explicit StatsSource(std::shared_ptr<const SystemFigures> figures, Clock clock = {},
        int shortSampleMs = defaultShortSampleMs, QObject *parent = nullptr);
    ~StatsSource() override;

    // The kernel's figures for the whole machine; lives as long as the application.
    static StatsSource *shared();

    const SystemFigures &figures() const { return *m_figures; }

    // The machine's busy share in percent, measured from the last sample kept
    // here to now. None when the reading fails, or when there is no recent
    // sample: a short sample is then taken on a worker thread and its result
    // announced through cpuMeasured().
    std::optional<double> sampleCpu();
    bool isMeasuring() const { return m_measuring; }

    // Batteries and chargers answer through the firmware, which can take
    // milliseconds, so they are always read on a worker thread and announced
    // through powerRead(). Gives the last reading when it is recent, so a
    // panel that comes on screen does not wait for it.
    std::optional<PowerReading> samplePower();
    bool isReadingPower() const { return m_readingPower; }

Q_SIGNALS:
    void cpuMeasured(double percent);
    void powerRead(const PowerReading &reading);

private:
    struct Sample
    {
        CpuTimes times;
        qint64 atMs = 0;
        double percent = 0;
    };

    void startShortSample();

    std::shared_ptr<const SystemFigures> m_figures;
    Clock m_clock;
    int m_shortSampleMs;
    std::optional<Sample> m_last;
    bool m_measuring = false;
    std::optional<PowerReading> m_lastPower;
    qint64 m_lastPowerAtMs = 0;
    bool m_readingPower = false;
    // Its own threads, so a short sample or a slow battery never holds up
    // the shared pool's process and D-Bus work. Declared last: destroyed
    // first, waiting for running work while this object is still whole.
    QThreadPool m_pool;
};
