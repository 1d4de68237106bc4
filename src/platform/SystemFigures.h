// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <optional>

// Cumulative processor time of the whole machine, in kernel ticks.
struct CpuTimes
{
    quint64 busy = 0; // user + nice + system + irq + softirq + steal (guest time is inside user)
    quint64 idle = 0; // idle + iowait
};

// Busy share in percent of the time between two readings; none when no time
// passed or a counter went backwards (a garbled read or a processor taken
// offline), since either would give a meaningless figure.
std::optional<double> busyPercentBetween(const CpuTimes &earlier, const CpuTimes &later);

struct MemoryFigures
{
    quint64 totalBytes = 0;
    quint64 availableBytes = 0; // what can be handed out without swapping
};

struct PowerReading
{
    // Combined charge of the machine's own batteries, 0 to 100; none when
    // there is no such battery or none of them could be read.
    std::optional<int> batteryPercent;
    bool externalPowerOnline = false; // a mains or USB supply is connected
    bool hasSystemBattery = false; // at least one present battery that powers the machine

    // On mains power, which a machine without a battery always is.
    bool onExternalPower() const { return externalPowerOnline || !hasSystemBattery; }
};

// The machine's figures as the kernel reports them. Every read is a few small
// files or one system call, and may run on any thread. power() can wait on
// the firmware (ACPI methods sit behind those files), so it belongs on a
// worker thread.
class SystemFigures
{
public:
    virtual ~SystemFigures() = default;
    virtual std::optional<CpuTimes> cpuTimes() const = 0;
    virtual std::optional<MemoryFigures> memory() const = 0;
    virtual std::optional<quint64> diskFreeBytes() const = 0; // free to unprivileged users
    virtual PowerReading power() const = 0;
    virtual std::optional<double> uptimeSeconds() const = 0; // including time suspended
};

// Reads /proc/stat, /proc/meminfo and /sys/class/power_supply below `root`
// (recorded trees in tests), the free space of the file system holding
// `root`, and the boot-time clock.
class KernelFigures final : public SystemFigures
{
public:
    explicit KernelFigures(QByteArray root = QByteArrayLiteral("/"));

    std::optional<CpuTimes> cpuTimes() const override;
    std::optional<MemoryFigures> memory() const override;
    std::optional<quint64> diskFreeBytes() const override;
    PowerReading power() const override;
    std::optional<double> uptimeSeconds() const override;

private:
    QByteArray m_root; // always ends with '/'
};
