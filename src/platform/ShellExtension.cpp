// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ShellExtension.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>

namespace {

const QString kShell = QStringLiteral("org.gnome.Shell");
const QString kShellPath = QStringLiteral("/org/gnome/Shell");
const QString kExtensions = QStringLiteral("org.gnome.Shell.Extensions");

// The shell's own numbering of an extension's state.
enum ShellState { Enabled = 1, Disabled = 2, Error = 3, OutOfDate = 4, Initialized = 6, Uninstalled = 99 };

QDBusMessage shellCall(const QString &interface, const QString &method)
{
    QDBusMessage call = QDBusMessage::createMethodCall(kShell, kShellPath, interface, method);
    // Asking must not start a shell where there is none.
    call.setAutoStartService(false);
    return call;
}

} // namespace

const QString ShellExtension::uuid = QStringLiteral("brivane@brivane.org");
const QString ShellExtension::objectPath = QStringLiteral("/org/brivane/Brivane/Shell");

ShellExtension::ShellExtension(const QDBusConnection &bus, QObject *parent)
    : QObject(parent)
    , m_bus(bus)
{
}

void ShellExtension::start()
{
    if (!m_bus.isConnected()) {
        setState(State::NoShell);
        return;
    }
    m_bus.registerObject(
        objectPath, this, QDBusConnection::ExportScriptableSlots | QDBusConnection::ExportScriptableSignals);
    m_bus.connect(kShell, kShellPath, kExtensions, QStringLiteral("ExtensionStateChanged"), this,
        SLOT(onExtensionStateChanged(QString, QVariantMap)));
    m_bus.connect(kShell, kShellPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("PropertiesChanged"), this,
        SLOT(onShellPropertiesChanged(QString, QVariantMap, QStringList)));
    // A shell that restarts comes back with a new owner and asks again.
    m_watcher = new QDBusServiceWatcher(kShell, m_bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(m_watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
        [this](const QString &, const QString &, const QString &owner) {
            m_shellOwner = owner;
            if (owner.isEmpty())
                setState(State::NoShell);
            else
                query();
        });
    query();
}

void ShellExtension::query()
{
    QDBusMessage owner = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
        QStringLiteral("/org/freedesktop/DBus"), QStringLiteral("org.freedesktop.DBus"),
        QStringLiteral("GetNameOwner"));
    owner << kShell;
    auto *ownerWatch = new QDBusPendingCallWatcher(m_bus.asyncCall(owner), this);
    connect(ownerWatch, &QDBusPendingCallWatcher::finished, this, [this, ownerWatch] {
        ownerWatch->deleteLater();
        QDBusPendingReply<QString> reply = *ownerWatch;
        m_shellOwner = reply.isError() ? QString() : reply.value();
    });

    // Whether the user switched extensions off as a whole, which Brivane
    // leaves to the user.
    QDBusMessage allOn = shellCall(QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    allOn << kExtensions << QStringLiteral("UserExtensionsEnabled");
    auto *allOnWatch = new QDBusPendingCallWatcher(m_bus.asyncCall(allOn), this);
    connect(allOnWatch, &QDBusPendingCallWatcher::finished, this, [this, allOnWatch] {
        allOnWatch->deleteLater();
        QDBusPendingReply<QDBusVariant> reply = *allOnWatch;
        if (!reply.isError())
            setAllSwitchedOff(!reply.value().variant().toBool());
    });

    QDBusMessage info = shellCall(kExtensions, QStringLiteral("GetExtensionInfo"));
    info << uuid;
    auto *infoWatch = new QDBusPendingCallWatcher(m_bus.asyncCall(info), this);
    connect(infoWatch, &QDBusPendingCallWatcher::finished, this, [this, infoWatch] {
        infoWatch->deleteLater();
        QDBusPendingReply<QVariantMap> reply = *infoWatch;
        if (reply.isError())
            setState(State::NoShell);
        else
            setState(stateFromInfo(reply.value()));
    });
}

ShellExtension::State ShellExtension::stateFromInfo(const QVariantMap &info)
{
    // An unknown extension is an empty answer; the state is sent as a double.
    bool ok = false;
    const double state = info.value(QStringLiteral("state")).toDouble(&ok);
    if (!ok)
        return State::NotInstalled;
    switch (int(state)) {
    case Enabled:
        return State::Enabled;
    case Disabled:
    case Initialized:
        return State::Disabled;
    case Error:
    case OutOfDate:
        return State::Failed;
    case Uninstalled:
        return State::NotInstalled;
    default:
        return State::Unknown; // downloading, or a state newer shells added
    }
}

void ShellExtension::onExtensionStateChanged(const QString &changed, const QVariantMap &info)
{
    if (changed == uuid)
        setState(stateFromInfo(info));
}

void ShellExtension::onShellPropertiesChanged(
    const QString &interface, const QVariantMap &changed, const QStringList &)
{
    const auto allOn = changed.constFind(QStringLiteral("UserExtensionsEnabled"));
    if (interface == kExtensions && allOn != changed.constEnd())
        setAllSwitchedOff(!allOn->toBool());
}

void ShellExtension::setAllSwitchedOff(bool off)
{
    if (off == m_allSwitchedOff)
        return;
    m_allSwitchedOff = off;
    Q_EMIT stateChanged();
}

void ShellExtension::setState(State state)
{
    if (state == m_state)
        return;
    m_state = state;
    Q_EMIT stateChanged();
}

QString ShellExtension::status() const
{
    switch (m_state) {
    case State::NotInstalled:
        return tr("Brivane's GNOME Shell extension is not installed, so the strip hangs below the top bar.");
    case State::Disabled:
        if (m_allSwitchedOff)
            return tr("Extensions are switched off in GNOME's Extensions app. Switch them on there, then "
                      "Brivane's, to open the card from the center of the top bar.");
        return tr("Turn on Brivane's GNOME Shell extension to open the card from the center of the top bar.");
    case State::Enabled:
        return tr("The card opens from the center of the top bar.");
    case State::Failed:
        return tr("Brivane's GNOME Shell extension failed to start, so the strip hangs below the top bar.");
    case State::Unknown:
    case State::NoShell:
        break;
    }
    return QString();
}

QString ShellExtension::pathReport() const
{
    const QString why = m_state == State::Disabled ? QStringLiteral("is not enabled")
        : m_state == State::NotInstalled           ? QStringLiteral("is not installed")
        : m_state == State::Failed                 ? QStringLiteral("failed in the shell")
                                                   : QString();
    if (m_state == State::Enabled)
        return QStringLiteral(
            "Brivane: GNOME Shell extension %1 is enabled: the shell opens and closes the card from the "
            "top bar's centre.")
            .arg(uuid);
    if (why.isEmpty())
        return QString();
    return QStringLiteral(
        "Brivane: GNOME Shell extension %1 %2: the strip hangs below the top bar and follows its own "
        "pointer crossings.")
        .arg(uuid, why);
}

void ShellExtension::enable()
{
    // Brivane's extension only: extensions switched off as a whole stay the
    // user's choice (the row offers nothing then).
    if (!canEnable())
        return;
    QDBusMessage one = shellCall(kExtensions, QStringLiteral("EnableExtension"));
    one << uuid;
    m_bus.send(one);
}

bool ShellExtension::fromShell() const
{
    // Only the shell may open or close the card over the bus.
    return !calledFromDBus() || (!m_shellOwner.isEmpty() && message().service() == m_shellOwner);
}

void ShellExtension::Expand()
{
    if (fromShell())
        Q_EMIT expandRequested();
}

void ShellExtension::Collapse()
{
    if (fromShell())
        Q_EMIT collapseRequested();
}

void ShellExtension::Toggle()
{
    if (fromShell())
        Q_EMIT toggleRequested();
}

void ShellExtension::ToggleAt(int x, int y)
{
    if (fromShell())
        Q_EMIT toggleRequestedAt(QPoint(x, y));
}

void ShellExtension::ShortcutGrabbed(const QString &accelerator, bool grabbed)
{
    // An answer about an accelerator since replaced says nothing.
    if (fromShell() && accelerator == m_accelerator)
        Q_EMIT shortcutGrabbed(grabbed);
}

void ShellExtension::setAccelerator(const QString &accelerator)
{
    if (accelerator == m_accelerator)
        return;
    m_accelerator = accelerator;
    if (m_bus.isConnected())
        Q_EMIT ShortcutChanged(accelerator);
}

void ShellExtension::setExpanded(bool expanded)
{
    if (expanded == m_expanded)
        return;
    m_expanded = expanded;
    if (m_bus.isConnected() && m_state == State::Enabled)
        Q_EMIT ExpandedChanged(expanded);
}
