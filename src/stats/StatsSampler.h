// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "StatRowsModel.h"
#include "StatsFormat.h"

#include <QObject>
#include <QPointer>
#include <QQmlParserStatus>
#include <QTimer>
#include <QtQml/qqmlregistration.h>

struct PowerReading;
class StatsSource;

// The Stats tab's figures. Created inside the panel and dropped with it, so
// nothing is kept between appearances but the source's last processor
// sample and power reading.
// While `active`, it refreshes at once and then every 2 seconds; a figure
// whose source yields nothing keeps its previous value.
class StatsSampler : public QObject, public QQmlParserStatus
{
    Q_OBJECT
    Q_INTERFACES(QQmlParserStatus)
    QML_ELEMENT
    Q_PROPERTY(bool active READ isActive WRITE setActive NOTIFY activeChanged)
    Q_PROPERTY(double cpu READ cpu NOTIFY cpuChanged)
    Q_PROPERTY(double memUsed READ memUsed NOTIFY memoryChanged)
    Q_PROPERTY(double memTotal READ memTotal NOTIFY memoryChanged)
    Q_PROPERTY(QString diskFree READ diskFree NOTIFY diskFreeChanged)
    Q_PROPERTY(int battery READ battery NOTIFY batteryChanged)
    Q_PROPERTY(bool charging READ charging NOTIFY chargingChanged)
    Q_PROPERTY(QString uptime READ uptime NOTIFY uptimeChanged)
    Q_PROPERTY(StatRowsModel *rows READ rows CONSTANT)
public:
    static constexpr int refreshIntervalMs = 2000;

    // Reads the machine through the process-wide source.
    explicit StatsSampler(QObject *parent = nullptr);
    explicit StatsSampler(StatsSource *source, QObject *parent = nullptr);
    ~StatsSampler() override;

    // Switches to another source (recorded figures in tests); the next
    // refresh reads from it.
    void setSource(StatsSource *source);

    bool isActive() const { return m_active; }
    void setActive(bool active);
    bool isTicking() const { return m_timer.isActive(); }

    double cpu() const { return m_values.cpu; }
    double memUsed() const { return m_values.memUsed; }
    double memTotal() const { return m_values.memTotal; }
    QString diskFree() const { return m_values.diskFree; }
    int battery() const { return m_values.battery; }
    bool charging() const { return m_values.charging; }
    QString uptime() const { return m_values.uptime; }
    const StatsValues &values() const { return m_values; }
    StatRowsModel *rows() { return &m_rows; }

    // Samples on the calling (UI) thread: a few small kernel files, no
    // process and no waiting. The power supplies are read on a worker and
    // arrive a moment later, as does the processor load when there was no
    // recent sample to measure against.
    Q_INVOKABLE void refresh();

    void classBegin() override;
    void componentComplete() override;

Q_SIGNALS:
    void activeChanged();
    void cpuChanged();
    void memoryChanged();
    void diskFreeChanged();
    void batteryChanged();
    void chargingChanged();
    void uptimeChanged();

private:
    void setCpu(double cpu);
    void setPower(const PowerReading &power);
    void apply(const StatsValues &values);
    void updateTicking();

    QPointer<StatsSource> m_source;
    QList<QMetaObject::Connection> m_sourceConnections;
    StatsValues m_values;
    StatRowsModel m_rows;
    QTimer m_timer;
    bool m_active = false;
    bool m_completed = true; // false only while QML is still setting properties
};
