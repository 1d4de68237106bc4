// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QPoint>
#include <QString>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

class QDBusServiceWatcher;

// Brivane's side of its GNOME Shell extension. GNOME's top bar covers the
// screen's top edge and the shell does not tell X11 clients when the pointer
// leaves them for its own chrome, so the extension owns a hot zone at the top
// bar's centre and, watching the pointer, asks over the session bus for the
// card to expand and collapse. This object takes those requests (from the
// shell only), tells the extension when the card changes state on its own,
// and follows the extension's state so that the settings window can offer
// to enable it.
class ShellExtension : public QObject, protected QDBusContext
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("owned by the application")
    Q_CLASSINFO("D-Bus Interface", "org.brivane.Brivane.Shell")
    Q_PROPERTY(State state READ state NOTIFY stateChanged)
    Q_PROPERTY(QString status READ status NOTIFY stateChanged)
    Q_PROPERTY(bool canEnable READ canEnable NOTIFY stateChanged)
public:
    enum class State {
        Unknown, // not asked yet, or no answer yet
        NoShell, // not a GNOME Shell session
        NotInstalled,
        Disabled,
        Enabled,
        Failed, // the shell reports an error or an unsupported version
    };
    Q_ENUM(State)

    static const QString uuid;
    static const QString objectPath;

    explicit ShellExtension(const QDBusConnection &bus, QObject *parent = nullptr);

    // Exports the request interface and starts following the shell. Call
    // once the bus name is owned.
    void start();

    State state() const { return m_state; }
    QString status() const;
    bool canEnable() const { return m_state == State::Disabled && !m_allSwitchedOff; }
    // One line for standard error about the path this state means.
    QString pathReport() const;

    // The shell's extension info ("state", as the shell encodes it) to a state.
    static State stateFromInfo(const QVariantMap &info);

    Q_INVOKABLE void enable();

public Q_SLOTS:
    // The card changed state; the extension is told, so that it watches the
    // pointer exactly while the card is open.
    void setExpanded(bool expanded);

    // Called by the extension over the bus.
    Q_SCRIPTABLE void Expand();
    Q_SCRIPTABLE void Collapse();
    // The shell's key binding for Brivane's shortcut fired.
    Q_SCRIPTABLE void Toggle();
    // The same, naming a point of the monitor the user works on, which a
    // window under XWayland cannot learn from the pointer.
    Q_SCRIPTABLE void ToggleAt(int x, int y);
    // The accelerator the extension should bind ("<Super><Alt>b"), "" for none.
    Q_SCRIPTABLE QString Shortcut() const { return m_accelerator; }
    // Whether the shell could bind it; false when another binding has it.
    Q_SCRIPTABLE void ShortcutGrabbed(const QString &accelerator, bool grabbed);
    // The X11 window of the card the extension looks after; no other window,
    // not even another of Brivane's, is adopted.
    Q_SCRIPTABLE uint CardWindow() const { return m_cardWindow; }
    void setCardWindow(uint window) { m_cardWindow = window; }
    void setAccelerator(const QString &accelerator);

Q_SIGNALS:
    void stateChanged();
    void expandRequested();
    void collapseRequested();
    void toggleRequested();
    void toggleRequestedAt(const QPoint &point);
    void shortcutGrabbed(bool grabbed);
    Q_SCRIPTABLE void ShortcutChanged(const QString &accelerator);
    Q_SCRIPTABLE void ExpandedChanged(bool expanded);

private Q_SLOTS:
    void onExtensionStateChanged(const QString &uuid, const QVariantMap &info);
    void onShellPropertiesChanged(const QString &interface, const QVariantMap &changed, const QStringList &);

private:
    void setState(State state);
    void setAllSwitchedOff(bool off);
    void query();
    bool fromShell() const;

    QDBusConnection m_bus;
    QDBusServiceWatcher *m_watcher = nullptr;
    QString m_shellOwner;
    State m_state = State::Unknown;
    bool m_expanded = false;
    bool m_allSwitchedOff = false;
    QString m_accelerator;
    uint m_cardWindow = 0;
};
