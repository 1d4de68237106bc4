#pragma once

#include <QObject>
#include <QString>
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
    // "" for the primary monitor, "*" for every monitor, else a monitor's name.
    Q_PROPERTY(QString monitor READ monitor WRITE setMonitor NOTIFY monitorChanged)
    // A key combination in Qt's portable text ("Meta+Alt+B"), "" for none.
    Q_PROPERTY(QString shortcut READ shortcut NOTIFY shortcutChanged)
    // A player's MPRIS identity, "" for the automatic choice.
    Q_PROPERTY(QString player READ player WRITE setPlayer NOTIFY playerChanged)
public:
    static constexpr int MaxDelayMs = 1000;
    static inline const QString AllMonitors = QStringLiteral("*");
    static inline const QString DefaultShortcut = QStringLiteral("Meta+Alt+B");

    explicit PanelSettings(KeyValueStore &preferences, QObject *parent = nullptr);

    int openDelay() const { return m_openDelay; }
    void setOpenDelay(int ms);
    int closeGrace() const { return m_closeGrace; }
    void setCloseGrace(int ms);
    bool hideOverFullScreen() const { return m_hideOverFullScreen; }
    void setHideOverFullScreen(bool hide);
    QString monitor() const { return m_monitor; }
    void setMonitor(const QString &monitor);
    QString shortcut() const { return m_shortcut; }
    QString player() const { return m_player; }
    void setPlayer(const QString &identity);

    // Takes a typed key combination. Returns "" when it was taken (and
    // stored), else the short reason it was refused; nothing is stored then.
    Q_INVOKABLE QString setShortcut(const QString &text);
    // The portable form of a combination, "" when it is not exactly one
    // combination with a key that is not a modifier. "" and "none" are none.
    static std::optional<QString> normalizedShortcut(const QString &text);

Q_SIGNALS:
    void openDelayChanged();
    void closeGraceChanged();
    void hideOverFullScreenChanged();
    void monitorChanged();
    void shortcutChanged();
    void playerChanged();

private:
    int readDelay(const QString &key) const;
    bool storeDelay(int &field, const QString &key, int ms);

    KeyValueStore &m_preferences;
    int m_openDelay = 0;
    int m_closeGrace = 0;
    bool m_hideOverFullScreen = false;
    QString m_monitor;
    QString m_shortcut = DefaultShortcut;
    QString m_player;
};
