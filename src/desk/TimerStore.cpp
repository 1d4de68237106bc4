// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TimerStore.h"

#include "platform/Sound.h"

#include <algorithm>
#include <ctime>

namespace {

// CLOCK_BOOTTIME goes on through suspend, unlike the monotonic clock.
qint64 bootTimeMs()
{
    timespec ts {};
    clock_gettime(CLOCK_BOOTTIME, &ts);
    return qint64(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

} // namespace

TimerStore::TimerStore(QObject *parent)
    : QObject(parent)
    , m_beep([] { Sound::playEvent(QStringLiteral("complete")); })
    , m_now(bootTimeMs)
{
    m_timer.setSingleShot(true);
    // Each second shows when it begins, not up to a coarse timer's slack late.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &TimerStore::tick);
    m_endShown.setSingleShot(true);
    m_endShown.setInterval(kEndShownMs);
    connect(&m_endShown, &QTimer::timeout, this, &TimerStore::justEndedChanged);
}

void TimerStore::endShown(bool shown)
{
    if (shown == m_endShown.isActive())
        return;
    if (shown)
        m_endShown.start();
    else
        m_endShown.stop();
    Q_EMIT justEndedChanged();
}

void TimerStore::hold()
{
    ++m_holders;
}

void TimerStore::release()
{
    m_holders = std::max(0, m_holders - 1);
    abandonUnseen();
}

void TimerStore::setKeepsRunning(bool keeps)
{
    m_keepsRunning = keeps;
    abandonUnseen();
}

void TimerStore::abandonUnseen()
{
    if (m_holders > 0 || m_keepsRunning)
        return;
    halt();
    endShown(false);
    setIsStopwatch(true);
    setCountdownTotal(60);
    setSeconds(0);
}

void TimerStore::show(qint64 seconds)
{
    if (seconds == m_seconds)
        return;
    m_seconds = seconds;
    Q_EMIT secondsChanged();
}

void TimerStore::setSeconds(qint64 seconds)
{
    // Set while running, the count goes on from there.
    m_base = seconds;
    m_startedAt = m_now();
    show(seconds);
}

qint64 TimerStore::counted() const
{
    const qint64 elapsed = (m_now() - m_startedAt) / 1000;
    return m_isStopwatch ? m_base + elapsed : m_base - elapsed;
}

void TimerStore::scheduleTick()
{
    const qint64 intoSecond = (m_now() - m_startedAt) % 1000;
    m_timer.start(int(1000 - std::max<qint64>(intoSecond, 0)));
}

void TimerStore::setIsRunning(bool running)
{
    if (running == m_isRunning)
        return;
    m_isRunning = running;
    Q_EMIT isRunningChanged();
}

void TimerStore::setIsStopwatch(bool isStopwatch)
{
    if (isStopwatch == m_isStopwatch)
        return;
    m_isStopwatch = isStopwatch;
    Q_EMIT isStopwatchChanged();
}

void TimerStore::setCountdownTotal(qint64 seconds)
{
    if (seconds == m_countdownTotal)
        return;
    m_countdownTotal = seconds;
    Q_EMIT countdownTotalChanged();
}

QString TimerStore::formatSeconds(qint64 seconds)
{
    // Magnitude as unsigned, so even the most negative value has one.
    const quint64 magnitude = seconds < 0 ? 0 - quint64(seconds) : quint64(seconds);
    const QString text
        = QStringLiteral("%1:%2").arg(magnitude / 60).arg(magnitude % 60, 2, 10, QLatin1Char('0'));
    return seconds < 0 ? QLatin1Char('-') + text : text;
}

QVariantList TimerStore::countdownLengths()
{
    QVariantList lengths;
    for (const qint64 seconds : { 60, 180, 300, 600, 900 })
        lengths.append(QVariantMap { { QStringLiteral("seconds"), seconds },
            { QStringLiteral("label"), QStringLiteral("%1m").arg(seconds / 60) } });
    return lengths;
}

void TimerStore::start()
{
    endShown(false);
    setIsRunning(true);
    setSeconds(startValue());
    scheduleTick();
}

void TimerStore::halt()
{
    setIsRunning(false);
    m_timer.stop();
}

void TimerStore::stop()
{
    if (m_isRunning)
        show(counted());
    halt();
}

void TimerStore::reset()
{
    endShown(false);
    stop();
    setSeconds(startValue());
}

void TimerStore::toggleRunning()
{
    if (m_isRunning)
        stop();
    else
        start();
}

void TimerStore::chooseStopwatch(bool stopwatch)
{
    setIsStopwatch(stopwatch);
    reset();
}

void TimerStore::chooseCountdownLength(qint64 seconds)
{
    setCountdownTotal(seconds);
    reset();
}

void TimerStore::skip()
{
    if (!m_isRunning)
        return;
    m_base += m_isStopwatch ? 10 : -10;
    show(counted());
}

void TimerStore::tick()
{
    if (!m_isRunning)
        return;
    const qint64 now = counted();
    if (!m_isStopwatch && now <= 0) {
        // A skip past the end shows how far past it; time slept through
        // shows the end itself.
        show(std::max(now, std::min<qint64>(0, m_seconds - 1)));
        halt();
        endShown(true);
        if (m_beep)
            m_beep();
        return;
    }
    show(now);
    scheduleTick();
}
