#include "TimerStore.h"

#include "platform/Sound.h"

TimerStore::TimerStore(QObject *parent)
    : QObject(parent)
    , m_beep([] { Sound::playEvent(QStringLiteral("complete")); })
{
    m_timer.setInterval(1000);
    // A stopwatch should not drift by the coarse timer's slack.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &TimerStore::tick);
}

void TimerStore::setSeconds(qint64 seconds)
{
    if (seconds == m_seconds)
        return;
    m_seconds = seconds;
    Q_EMIT secondsChanged();
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
    setIsRunning(true);
    setSeconds(startValue());
    m_timer.start();
}

void TimerStore::stop()
{
    setIsRunning(false);
    m_timer.stop();
}

void TimerStore::reset()
{
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
    setSeconds(m_isStopwatch ? m_seconds + 10 : m_seconds - 10);
}

void TimerStore::tick()
{
    if (m_isStopwatch) {
        setSeconds(m_seconds + 1);
        return;
    }
    setSeconds(m_seconds - 1);
    if (m_seconds <= 0) {
        stop();
        if (m_beep)
            m_beep();
    }
}
