// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MediaFormat.h"

#include "ui/Text.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

MediaFormat::MediaFormat(QObject *parent)
    : QObject(parent)
{
}

QString MediaFormat::formatTime(double seconds)
{
    // Converting a NaN, an infinity or anything beyond 64 bits to an integer
    // is undefined; players do report such lengths for live streams.
    constexpr double limit = 9.2e18;
    if (!std::isfinite(seconds) || std::fabs(seconds) >= limit)
        return QStringLiteral("0:00");
    const auto whole = static_cast<std::int64_t>(seconds);
    const std::int64_t magnitude = whole < 0 ? -whole : whole;
    const QString text = QStringLiteral("%1:%2")
                             .arg(magnitude / 60)
                             .arg(static_cast<int>(magnitude % 60), 2, 10, QLatin1Char('0'));
    return whole < 0 ? QLatin1Char('-') + text : text;
}

QString MediaFormat::remainingTime(double elapsed, double duration)
{
    double left = duration - elapsed;
    if (!(left > 0))
        left = 0;
    return QLatin1Char('-') + formatTime(left);
}

bool MediaFormat::hasProgress(double duration)
{
    return std::isfinite(duration) && duration > 0;
}

double MediaFormat::progressFraction(double elapsed, double duration)
{
    if (!hasProgress(duration) || !std::isfinite(elapsed) || elapsed <= 0)
        return 0;
    return std::min(1.0, elapsed / duration);
}

double MediaFormat::elapsedAfter(double reported, double seconds, double duration)
{
    if (!hasProgress(duration) || !std::isfinite(reported) || !std::isfinite(seconds))
        return reported;
    // A position the player already reported past the end stays as it is.
    if (reported >= duration)
        return reported;
    return std::min(reported + std::max(seconds, 0.0), duration);
}

QString MediaFormat::oneLine(const QString &text)
{
    QString line = Text::bounded(text, MaxLineLength);
    for (QChar &c : line) {
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Separator_Line
            || category == QChar::Separator_Paragraph)
            c = QLatin1Char(' ');
    }
    return line;
}

QString MediaFormat::miniPlayerText(const QString &artist, const QString &title)
{
    if (artist.isEmpty())
        return oneLine(title);
    // Each part is bounded first, so huge texts are never joined whole.
    return oneLine(oneLine(artist) + QStringLiteral(" \u2014 ") + oneLine(title));
}
