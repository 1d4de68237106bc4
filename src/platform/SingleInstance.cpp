// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SingleInstance.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>
#include <unistd.h>

namespace {

// The freedesktop Application interface, exported like every other object
// Brivane puts on the bus: its scriptable slots, on an object of its own.
class ApplicationObject : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")
public:
    explicit ApplicationObject(SingleInstance *owner)
        : QObject(owner)
        , m_owner(owner)
    {
    }

public Q_SLOTS:
    Q_SCRIPTABLE void Activate(const QVariantMap &platformData)
    {
        Q_UNUSED(platformData);
        Q_EMIT m_owner->activateRequested();
    }
    Q_SCRIPTABLE void Open(const QStringList &uris, const QVariantMap &platformData)
    {
        Q_UNUSED(uris);
        Activate(platformData);
    }
    Q_SCRIPTABLE void ActivateAction(
        const QString &name, const QVariantList &parameter, const QVariantMap &platformData)
    {
        Q_UNUSED(parameter);
        Q_UNUSED(platformData);
        Q_EMIT m_owner->actionRequested(name);
    }

private:
    SingleInstance *m_owner;
};

const QByteArray kActivateLine("activate\n");
const QByteArray kActionPrefix("action ");

} // namespace

SingleInstance::SingleInstance(const QString &serviceName, QObject *parent)
    : QObject(parent)
    , m_serviceName(serviceName)
{
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::objectPath() const
{
    return QLatin1Char('/') + QString(m_serviceName).replace(QLatin1Char('.'), QLatin1Char('/'));
}

QString SingleInstance::socketPath() const
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return dir + QStringLiteral("/%1-%2.sock").arg(m_serviceName).arg(getuid());
}

bool SingleInstance::claim()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) {
        m_onBus = true;
        const auto reply = bus.interface()->registerService(m_serviceName,
            QDBusConnectionInterface::DontQueueService, QDBusConnectionInterface::DontAllowReplacement);
        if (!reply.isValid() || reply.value() != QDBusConnectionInterface::ServiceRegistered)
            return false;
        bus.registerObject(objectPath(), new ApplicationObject(this), QDBusConnection::ExportScriptableSlots);
        return true;
    }
    return claimLocalSocket();
}

bool SingleInstance::claimLocalSocket()
{
    const QString path = socketPath();
    {
        QLocalSocket probe;
        probe.connectToServer(path);
        if (probe.waitForConnected(500))
            return false;
    }
    QLocalServer::removeServer(path); // a stale socket from a crashed run
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(path))
        return true; // cannot guard; run anyway rather than not at all
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
                const QByteArray line = socket->readAll().left(128);
                if (line.startsWith(kActivateLine.trimmed()))
                    Q_EMIT activateRequested();
                else if (line.startsWith(kActionPrefix))
                    Q_EMIT actionRequested(QString::fromUtf8(line.mid(kActionPrefix.size()).trimmed()));
                socket->disconnectFromServer();
            });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
    return true;
}

void SingleInstance::activatePrimary(std::function<void(bool)> done)
{
    callPrimary(QStringLiteral("Activate"), { QVariantMap() }, kActivateLine, std::move(done));
}

void SingleInstance::activatePrimaryAction(const QString &action, std::function<void(bool)> done)
{
    callPrimary(QStringLiteral("ActivateAction"),
        { action, QVariant::fromValue(QVariantList()), QVariant::fromValue(QVariantMap()) },
        kActionPrefix + action.toUtf8() + '\n', std::move(done));
}

void SingleInstance::callPrimary(const QString &method, const QVariantList &arguments, const QByteArray &line,
    std::function<void(bool)> done)
{
    if (m_onBus) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            m_serviceName, objectPath(), QStringLiteral("org.freedesktop.Application"), method);
        call.setArguments(arguments);
        auto *watcher
            = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call, 5000), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this, [watcher, done] {
            watcher->deleteLater();
            done(!watcher->isError());
        });
        return;
    }
    auto *socket = new QLocalSocket(this);
    connect(socket, &QLocalSocket::connected, socket, [socket, line] { socket->write(line); });
    connect(socket, &QLocalSocket::disconnected, this, [socket, done] {
        socket->deleteLater();
        done(true);
    });
    connect(socket, &QLocalSocket::errorOccurred, this, [socket, done](QLocalSocket::LocalSocketError error) {
        if (error == QLocalSocket::PeerClosedError)
            return;
        socket->deleteLater();
        done(false);
    });
    socket->connectToServer(socketPath());
}

#include "SingleInstance.moc"
