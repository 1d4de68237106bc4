// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/SystemFigures.h"

#include <QMutex>
#include <QMutexLocker>
#include <QSemaphore>

// Figures set by a test. Processor times advance by `step` on every read, so
// the short sample on its worker thread sees time pass; reads are locked
// because that worker reads concurrently. The power supplies are read on a
// worker too: change them only while no read is in flight. With `powerGate`
// set, a power read waits for it, like slow firmware.
class FakeFigures : public SystemFigures
{
public:
    void setCpu(std::optional<CpuTimes> current, CpuTimes step = {})
    {
        QMutexLocker lock(&m_mutex);
        m_cpu = current;
        m_step = step;
    }
    std::optional<CpuTimes> cpuTimes() const override
    {
        QMutexLocker lock(&m_mutex);
        const std::optional<CpuTimes> now = m_cpu;
        if (m_cpu)
            m_cpu = CpuTimes { m_cpu->busy + m_step.busy, m_cpu->idle + m_step.idle };
        return now;
    }

    std::optional<MemoryFigures> memoryFigures;
    std::optional<quint64> diskFree;
    PowerReading powerReading;
    std::optional<double> uptime;
    mutable int memoryReads = 0;

    std::optional<MemoryFigures> memory() const override
    {
        ++memoryReads;
        return memoryFigures;
    }
    std::optional<quint64> diskFreeBytes() const override { return diskFree; }
    QSemaphore *powerGate = nullptr;
    PowerReading power() const override
    {
        if (powerGate)
            powerGate->acquire();
        return powerReading;
    }
    std::optional<double> uptimeSeconds() const override { return uptime; }

private:
    mutable QMutex m_mutex;
    mutable std::optional<CpuTimes> m_cpu;
    CpuTimes m_step;
};
