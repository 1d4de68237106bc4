// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "StatsFormat.h"

#include "ui/Theme.h"

#include <QCoreApplication>
#include <cmath>

namespace StatsFormat {

double gigabytes(quint64 bytes)
{
    return double(bytes) / bytesPerGigabyte;
}

QString diskFree(quint64 freeBytes)
{
    return QString::asprintf("%.0fGB", gigabytes(freeBytes));
}

QString uptime(double seconds)
{
    const qint64 whole = std::isfinite(seconds) && seconds > 0 ? qint64(seconds) : 0;
    return QStringLiteral("%1h %2m").arg(whole / 3600).arg(whole % 3600 / 60);
}

QString cpu(double percent)
{
    return QString::asprintf("%.0f%%", percent);
}

QString memory(double used, double total)
{
    return QString::asprintf("%.1f / %.0f GB", used, total);
}

QString battery(int percent, bool charging)
{
    QString text = QString::number(percent) + QLatin1Char('%');
    if (charging)
        text += QStringLiteral(" \u26A1");
    return text;
}

QList<StatRow> rows(const StatsValues &values)
{
    const auto row
        = [](const char *icon, const char *label, const QString &value, const QColor &tint, double progress) {
              return StatRow { QString::fromLatin1(icon), QCoreApplication::translate("StatsFormat", label),
                  value, tint, progress, progress > 0 };
          };
    QList<StatRow> list;
    list << row(
        "cpu", QT_TRANSLATE_NOOP("StatsFormat", "CPU"), cpu(values.cpu), Theme::blue(), values.cpu / 100.0);
    list << row("memorychip", QT_TRANSLATE_NOOP("StatsFormat", "RAM"),
        memory(values.memUsed, values.memTotal), Theme::purple(),
        values.memTotal > 0 ? values.memUsed / values.memTotal : 0.0);
    // A fixed half bar: the free figure alone says nothing about the disk's size.
    list << row("internaldrive", QT_TRANSLATE_NOOP("StatsFormat", "Disk"),
        QCoreApplication::translate("StatsFormat", "%1 free", "free disk space").arg(values.diskFree),
        Theme::orange(), 0.5);
    if (values.battery >= 0) {
        list << row(values.charging ? "bolt.fill" : "battery.75percent",
            QT_TRANSLATE_NOOP("StatsFormat", "Battery"), battery(values.battery, values.charging),
            Theme::green(), values.battery / 100.0);
    }
    list << row("clock", QT_TRANSLATE_NOOP("StatsFormat", "Uptime"), values.uptime, Theme::cyan(), 0.0);
    return list;
}

} // namespace StatsFormat
