// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QTimer>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>
#include <functional>

// A stopwatch counting whole seconds up from zero and a countdown that beeps
// when it runs out. The time is read from a clock that also counts while the
// machine sleeps; the timer only shows it, so a late tick shows the true time.
// Shared by every card. Unless it keeps running for the strip, a count ends
// silently when no timer panel shows it any more, and the next panel starts
// afresh.
class TimerStore : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(qint64 seconds READ seconds WRITE setSeconds NOTIFY secondsChanged)
    Q_PROPERTY(bool isRunning READ isRunning NOTIFY isRunningChanged)
    Q_PROPERTY(bool isStopwatch READ isStopwatch WRITE setIsStopwatch NOTIFY isStopwatchChanged)
    Q_PROPERTY(qint64 countdownTotal READ countdownTotal WRITE setCountdownTotal NOTIFY countdownTotalChanged)
    Q_PROPERTY(QString display READ display NOTIFY secondsChanged)
    // The countdown lengths offered: [{seconds, label}], label "1m" and so on.
    Q_PROPERTY(QVariantList countdownLengths READ countdownLengths CONSTANT)
    // For a few seconds after a countdown ran out by itself.
    Q_PROPERTY(bool justEnded READ justEnded NOTIFY justEndedChanged)
public:
    explicit TimerStore(QObject *parent = nullptr);

    qint64 seconds() const { return m_seconds; }
    void setSeconds(qint64 seconds);
    bool isRunning() const { return m_isRunning; }
    bool isStopwatch() const { return m_isStopwatch; }
    void setIsStopwatch(bool isStopwatch);
    qint64 countdownTotal() const { return m_countdownTotal; }
    void setCountdownTotal(qint64 seconds);

    bool justEnded() const { return m_endShown.isActive(); }
    static constexpr int kEndShownMs = 4000;

    QString display() const { return formatSeconds(m_seconds); }
    // "m:ss" with minutes unwrapped (3725 s is "62:05"); a negative time,
    // which a skip near the end of a countdown can leave, reads "-0:05".
    static QString formatSeconds(qint64 seconds);
    static QVariantList countdownLengths();

    // Counts from the start value: 0, or the countdown length.
    Q_INVOKABLE void start();
    // Stops counting; the time stays.
    Q_INVOKABLE void stop();
    // Stops and shows the start value again.
    Q_INVOKABLE void reset();

    // The panel's controls.
    Q_INVOKABLE void toggleRunning();
    Q_INVOKABLE void chooseStopwatch(bool stopwatch);
    Q_INVOKABLE void chooseCountdownLength(qint64 seconds);
    // While running: 10 s further on (stopwatch) or nearer the end
    // (countdown). Does nothing while stopped.
    Q_INVOKABLE void skip();

    // A timer panel shows the store between hold() and release().
    Q_INVOKABLE void hold();
    Q_INVOKABLE void release();
    // Whether a count goes on with no panel showing it (the strip shows it).
    void setKeepsRunning(bool keeps);

    // Shows the time the clock gives, and ends a countdown that reached
    // zero; run by the timer at each whole second (tests call it directly).
    void tick();

    // Milliseconds from a fixed point, never going back; tests set their own.
    using Clock = std::function<qint64()>;
    void setClock(Clock clock) { m_now = std::move(clock); }

    // Tests replace the beep to count it.
    void setBeep(std::function<void()> beep) { m_beep = std::move(beep); }
    bool timerActive() const { return m_timer.isActive(); }

Q_SIGNALS:
    void secondsChanged();
    void isRunningChanged();
    void isStopwatchChanged();
    void countdownTotalChanged();
    void justEndedChanged();

private:
    qint64 startValue() const { return m_isStopwatch ? 0 : m_countdownTotal; }
    void setIsRunning(bool running);
    void show(qint64 seconds);
    qint64 counted() const;
    void halt();
    void scheduleTick();
    void endShown(bool shown);
    // Ends a count nobody sees, silently, and starts afresh.
    void abandonUnseen();

    qint64 m_seconds = 0;
    bool m_isRunning = false;
    bool m_isStopwatch = true;
    qint64 m_countdownTotal = 60;
    // While running: the time at m_startedAt, from which the clock counts.
    qint64 m_base = 0;
    qint64 m_startedAt = 0;
    QTimer m_timer;
    QTimer m_endShown;
    int m_holders = 0;
    bool m_keepsRunning = false;
    std::function<void()> m_beep;
    Clock m_now;
};
