// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QKeySequence>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QtQml/qqmlregistration.h>
#include <optional>

class KeyValueStore;

// Where and when the card opens, from the settings window's General group.
// Each value is kept in the preferences file and applies at once. A stored
// value that is out of range, or not of its type, reads as the default; the
// defaults open and close the card at once, over every window, on the
// primary monitor, for the player chosen automatically.
class PanelSettings : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The shared settings are handed to the views.")
    Q_PROPERTY(int openDelay READ openDelay WRITE setOpenDelay NOTIFY openDelayChanged)
    Q_PROPERTY(int closeGrace READ closeGrace WRITE setCloseGrace NOTIFY closeGraceChanged)
    Q_PROPERTY(bool hideOverFullScreen READ hideOverFullScreen WRITE setHideOverFullScreen NOTIFY
            hideOverFullScreenChanged)
    // What plays and a countdown's time left, drawn in the collapsed strip;
    // off by default, and then the strip draws nothing.
    Q_PROPERTY(bool showActivity READ showActivity WRITE setShowActivity NOTIFY showActivityChanged)
    // "" for the primary monitor, "*" for every monitor, else a monitor's name.
    Q_PROPERTY(QString monitor READ monitor WRITE setMonitor NOTIFY monitorChanged)
    // A key combination as the desktop names it ("Super+Alt+B"), "" for none.
    Q_PROPERTY(QString shortcut READ shortcut NOTIFY shortcutChanged)
    // Why the shortcut does not work here, "" while it does.
    Q_PROPERTY(QString shortcutStatus READ shortcutStatus NOTIFY shortcutStatusChanged)
    // A player's MPRIS identity, "" for the automatic choice.
    Q_PROPERTY(QString player READ player WRITE setPlayer NOTIFY playerChanged)
public:
    static constexpr int MaxDelayMs = 1000;
    static inline const QString AllMonitors = QStringLiteral("*");
    static inline const QString DefaultShortcut = QStringLiteral("Super+Alt+B");

    explicit PanelSettings(KeyValueStore &preferences, QObject *parent = nullptr);

    int openDelay() const { return m_openDelay; }
    void setOpenDelay(int ms);
    int closeGrace() const { return m_closeGrace; }
    void setCloseGrace(int ms);
    bool hideOverFullScreen() const { return m_hideOverFullScreen; }
    void setHideOverFullScreen(bool hide);
    bool showActivity() const { return m_showActivity; }
    void setShowActivity(bool show);
    QString monitor() const { return m_monitor; }
    void setMonitor(const QString &monitor);
    QString shortcut() const { return m_shortcut; }
    QKeySequence shortcutSequence() const;
    QString shortcutStatus() const { return m_shortcutStatus; }
    void setShortcutStatus(const QString &status);
    QString player() const { return m_player; }
    void setPlayer(const QString &identity);

    // The monitors to show a strip on, by name, for a "monitor" value: the
    // primary comes first; a named monitor that is not there falls back to
    // the primary until it returns.
    static QStringList monitorsToShow(
        const QString &setting, const QStringList &present, const QString &primary);

    // Takes a typed key combination. Returns "" when it was taken (and
    // stored), else the short reason it was refused; nothing is stored then.
    Q_INVOKABLE QString setShortcut(const QString &text);
    // The stored form of a combination (Qt's portable text, with the key
    // Qt calls Meta named Super), "" for none ("" or "none"), nothing when
    // it is not exactly one combination with a key that is not a modifier.
    static std::optional<QString> normalizedShortcut(const QString &text);

Q_SIGNALS:
    void openDelayChanged();
    void closeGraceChanged();
    void hideOverFullScreenChanged();
    void showActivityChanged();
    void monitorChanged();
    void shortcutChanged();
    void shortcutStatusChanged();
    void playerChanged();

private:
    int readDelay(const QString &key) const;
    bool storeFlag(bool &field, const QString &key, bool on);
    bool storeDelay(int &field, const QString &key, int ms);

    KeyValueStore &m_preferences;
    int m_openDelay = 0;
    int m_closeGrace = 0;
    bool m_hideOverFullScreen = false;
    bool m_showActivity = false;
    QString m_monitor;
    QString m_shortcut = DefaultShortcut;
    QString m_shortcutStatus;
    QString m_player;
};
