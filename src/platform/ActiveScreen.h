// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QPointer>
#include <QString>

class QLocalSocket;
class QTimer;

// Which screen the user is working on, as the compositor knows it. On
// Wayland a client learns where the pointer is only while it is over its own
// surfaces, so the desktop is asked: KWin over D-Bus, sway over its IPC
// socket. Elsewhere, and when the desktop does not answer in time, the
// answer is empty and the caller goes by the pointer.
class ActiveScreen : public QObject
{
    Q_OBJECT
public:
    enum class Source { Pointer, KWin, Sway };

    ActiveScreen(const QDBusConnection &bus, QObject *parent = nullptr);

    void setSource(Source source) { m_source = source; }

    // Answers with answered() once, soon; a new question drops an older one.
    void ask();

    // The focused output in a reply to sway's GET_WORKSPACES, "" if none.
    static QString focusedSwayOutput(const QByteArray &reply);

    static constexpr int kDeadlineMs = 500;

Q_SIGNALS:
    // The screen's name as QScreen::name() has it, "" for not known.
    void answered(const QString &screenName);

private:
    void askSway();
    void answer(const QString &screenName);

    QDBusConnection m_bus;
    Source m_source = Source::Pointer;
    QPointer<QLocalSocket> m_sway;
    QTimer *m_deadline;
    quint64 m_question = 0;
    bool m_waiting = false;
};
