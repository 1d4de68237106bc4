// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ActiveScreen.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>
#include <QTimer>
#include <QtEndian>

namespace {

// sway's IPC: a magic string, then the payload's length and the message type,
// both in the machine's own byte order.
constexpr char kSwayMagic[] = "i3-ipc";
constexpr qsizetype kSwayHeader = 6 + 4 + 4;
constexpr quint32 kGetWorkspaces = 1;
constexpr quint32 kMaxSwayReply = 1 << 20;

QString boundedName(const QString &name)
{
    // An output's name, never anything long enough to matter.
    return name.left(64);
}

} // namespace

ActiveScreen::ActiveScreen(const QDBusConnection &bus, QObject *parent)
    : QObject(parent)
    , m_bus(bus)
    , m_deadline(new QTimer(this))
{
    m_deadline->setSingleShot(true);
    m_deadline->setInterval(kDeadlineMs);
    connect(m_deadline, &QTimer::timeout, this, [this] { answer(QString()); });
}

void ActiveScreen::ask()
{
    const quint64 question = ++m_question;
    m_waiting = true;
    m_deadline->start();
    switch (m_source) {
    case Source::Pointer:
        answer(QString());
        break;
    case Source::KWin: {
        const QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.kde.KWin"),
            QStringLiteral("/KWin"), QStringLiteral("org.kde.KWin"), QStringLiteral("activeOutputName"));
        auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call, kDeadlineMs), this);
        connect(
            watcher, &QDBusPendingCallWatcher::finished, this, [this, question](QDBusPendingCallWatcher *w) {
                w->deleteLater();
                const QDBusPendingReply<QString> reply = *w;
                if (question == m_question)
                    answer(reply.isValid() ? boundedName(reply.value()) : QString());
            });
        break;
    }
    case Source::Sway:
        askSway();
        break;
    }
}

void ActiveScreen::askSway()
{
    delete m_sway;
    m_sway = new QLocalSocket(this);
    QLocalSocket *socket = m_sway;
    connect(socket, &QLocalSocket::connected, socket, [socket] {
        QByteArray request(kSwayMagic, 6);
        quint32 header[2] = { 0, kGetWorkspaces };
        request.append(reinterpret_cast<const char *>(header), sizeof header);
        socket->write(request);
    });
    connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
        if (socket->bytesAvailable() < kSwayHeader)
            return;
        const QByteArray head = socket->peek(kSwayHeader);
        const quint32 length = qFromUnaligned<quint32>(head.constData() + 6);
        if (!head.startsWith(kSwayMagic) || length > kMaxSwayReply) {
            answer(QString());
            return;
        }
        if (socket->bytesAvailable() < kSwayHeader + qint64(length))
            return;
        socket->skip(kSwayHeader);
        answer(focusedSwayOutput(socket->read(length)));
    });
    connect(socket, &QLocalSocket::errorOccurred, socket, [this] { answer(QString()); });
    socket->connectToServer(qEnvironmentVariable("SWAYSOCK"));
}

QString ActiveScreen::focusedSwayOutput(const QByteArray &reply)
{
    const QJsonArray workspaces = QJsonDocument::fromJson(reply).array();
    for (const QJsonValue &workspace : workspaces) {
        const QJsonObject object = workspace.toObject();
        if (object.value(QLatin1String("focused")).toBool())
            return boundedName(object.value(QLatin1String("output")).toString());
    }
    return QString();
}

void ActiveScreen::answer(const QString &screenName)
{
    if (!m_waiting)
        return; // answered already
    m_waiting = false;
    m_deadline->stop();
    if (m_sway)
        m_sway->deleteLater();
    Q_EMIT answered(screenName);
}
