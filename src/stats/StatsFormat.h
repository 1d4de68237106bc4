// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QtGlobal>

// The sampled figures as the Stats tab holds them, and how they read.
struct StatsValues
{
    double cpu = 0; // percent busy
    double memUsed = 0; // GB (2^30 bytes)
    double memTotal = 0; // GB (2^30 bytes)
    QString diskFree; // already formatted, "123GB"
    int battery = -1; // percent; -1 until a reading succeeds
    bool charging = false;
    QString uptime; // "50h 2m"

    bool operator==(const StatsValues &) const = default;
};

// One row of the panel.
struct StatRow
{
    QString icon; // symbol name
    QString label;
    QString value;
    QColor tint;
    double progress = 0; // bar fill, nominally 0 to 1, not capped
    bool barShown = false;

    bool operator==(const StatRow &) const = default;
};

namespace StatsFormat {

// Memory and disk figures are counted in units of 2^30 bytes and labelled GB.
constexpr double bytesPerGigabyte = 1073741824.0;
double gigabytes(quint64 bytes);

QString diskFree(quint64 freeBytes); // "500GB"
QString uptime(double seconds); // "50h 2m": hours are not folded into days
QString cpu(double percent); // "7%"
QString memory(double used, double total); // "0.1 / 16 GB"
QString battery(int percent, bool charging); // "85% ⚡" on mains power

// CPU, RAM, Disk, Battery (only with a reading) and Uptime.
QList<StatRow> rows(const StatsValues &values);

} // namespace StatsFormat
