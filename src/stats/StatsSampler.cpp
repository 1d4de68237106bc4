// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "StatsSampler.h"

#include "StatsSource.h"

namespace {

StatsValues withPower(StatsValues values, const PowerReading &power)
{
    if (power.batteryPercent)
        values.battery = *power.batteryPercent;
    // Assigned on every reading, with or without a battery figure.
    values.charging = power.onExternalPower();
    return values;
}

} // namespace

StatsSampler::StatsSampler(QObject *parent)
    : StatsSampler(StatsSource::shared(), parent)
{
}

StatsSampler::StatsSampler(StatsSource *source, QObject *parent)
    : QObject(parent)
{
    m_timer.setInterval(refreshIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &StatsSampler::refresh);
    m_rows.setRows(StatsFormat::rows(m_values));
    setSource(source);
}

StatsSampler::~StatsSampler() = default;

void StatsSampler::setSource(StatsSource *source)
{
    if (m_source == source)
        return;
    for (const QMetaObject::Connection &connection : std::as_const(m_sourceConnections))
        disconnect(connection);
    m_sourceConnections.clear();
    m_source = source;
    if (source) {
        m_sourceConnections << connect(source, &StatsSource::cpuMeasured, this, &StatsSampler::setCpu)
                            << connect(source, &StatsSource::powerRead, this, &StatsSampler::setPower);
    }
}

void StatsSampler::setActive(bool active)
{
    if (m_active == active)
        return;
    m_active = active;
    updateTicking();
    Q_EMIT activeChanged();
}

void StatsSampler::classBegin()
{
    m_completed = false;
}

void StatsSampler::componentComplete()
{
    m_completed = true;
    updateTicking();
}

void StatsSampler::updateTicking()
{
    // In QML, wait for every initial property before the first refresh.
    const bool run = m_active && m_completed;
    if (run == m_timer.isActive())
        return;
    if (run) {
        refresh();
        m_timer.start();
    } else {
        m_timer.stop();
    }
}

void StatsSampler::refresh()
{
    if (!m_source)
        return;
    const SystemFigures &figures = m_source->figures();
    StatsValues next = m_values;
    if (const std::optional<double> cpu = m_source->sampleCpu())
        next.cpu = *cpu;
    if (const std::optional<MemoryFigures> memory = figures.memory()) {
        next.memUsed = StatsFormat::gigabytes(memory->totalBytes - memory->availableBytes);
        next.memTotal = StatsFormat::gigabytes(memory->totalBytes);
    }
    if (const std::optional<quint64> free = figures.diskFreeBytes())
        next.diskFree = StatsFormat::diskFree(*free);
    if (const std::optional<double> uptime = figures.uptimeSeconds())
        next.uptime = StatsFormat::uptime(*uptime);
    if (const std::optional<PowerReading> power = m_source->samplePower())
        next = withPower(next, *power);
    apply(next);
}

void StatsSampler::setPower(const PowerReading &power)
{
    apply(withPower(m_values, power));
}

void StatsSampler::setCpu(double cpu)
{
    StatsValues next = m_values;
    next.cpu = cpu;
    apply(next);
}

void StatsSampler::apply(const StatsValues &next)
{
    if (next == m_values)
        return;
    const StatsValues previous = m_values;
    m_values = next;
    m_rows.setRows(StatsFormat::rows(m_values));
    if (previous.cpu != next.cpu)
        Q_EMIT cpuChanged();
    if (previous.memUsed != next.memUsed || previous.memTotal != next.memTotal)
        Q_EMIT memoryChanged();
    if (previous.diskFree != next.diskFree)
        Q_EMIT diskFreeChanged();
    if (previous.battery != next.battery)
        Q_EMIT batteryChanged();
    if (previous.charging != next.charging)
        Q_EMIT chargingChanged();
    if (previous.uptime != next.uptime)
        Q_EMIT uptimeChanged();
}
