// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAbstractNativeEventFilter>
#include <QDBusConnection>
#include <QKeySequence>
#include <QObject>
#include <QString>
#include <QTimer>
#include <array>
#include <xcb/xcb.h>

// One key combination that reaches Brivane wherever the keyboard is, taken
// the way the desktop expects: KDE's global-shortcut service where it runs,
// GNOME Shell's own key bindings through Brivane's extension, else a key
// grab on the X11 root window. Wayland compositors without such a service
// (sway, Hyprland) bind `brivane --toggle` in their own configuration.
// Nothing here waits on the server or the bus, and nothing runs while no key
// is pressed.
class GlobalShortcut : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT
public:
    enum class Backend { None, X11, KdeService, Shell };
    enum class State {
        Off, // no combination, or not yet registered
        Registered,
        Taken, // another program holds it
        Unavailable, // this desktop offers Brivane no way to take it
    };
    Q_ENUM(State)

    explicit GlobalShortcut(const QDBusConnection &bus, QObject *parent = nullptr);
    ~GlobalShortcut() override;

    void setBackend(Backend backend);
    Backend backend() const { return m_backend; }
    // One key combination; empty for none.
    void setShortcut(const QKeySequence &sequence);
    QKeySequence shortcut() const { return m_sequence; }
    State state() const { return m_state; }

    // GNOME Shell answered whether its key binding could be added.
    void setShellResult(bool grabbed);

    // The X keysym of a Qt key, 0 when there is none Brivane knows.
    static quint32 keysymFor(int qtKey);
    // The combination as GNOME Shell writes accelerators ("<Super><Alt>b").
    static QString toAccelerator(const QKeySequence &sequence);

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

Q_SIGNALS:
    void activated();
    void stateChanged();
    // For the shell backend: the accelerator the extension should bind.
    void acceleratorChanged(const QString &accelerator);

private Q_SLOTS:
    void onKdeShortcutPressed(const QString &component, const QString &action, qlonglong timestamp);

private:
    void apply();
    void release();
    void setState(State state);
    void grabX11();
    void askKeymap();
    void collectX11();
    void regrab(xcb_keycode_t keycode);
    void ungrab();
    void stopAsking();
    void registerWithKde();

    QDBusConnection m_bus;
    Backend m_backend = Backend::None;
    QKeySequence m_sequence;
    State m_state = State::Off;
    // Bumped at every change, so late answers for an earlier one are dropped.
    quint64 m_generation = 0;

    // X11: the grab, and the questions in flight: the keymap, which key
    // carries the symbol; then whether each grab was granted, known once the
    // answer to a request sent after them is in.
    xcb_connection_t *m_connection = nullptr;
    xcb_window_t m_root = 0;
    quint32 m_keysym = 0;
    xcb_keycode_t m_keycode = 0;
    uint16_t m_modifiers = 0;
    uint8_t m_xkbEvent = 0;
    enum class Step { Idle, Keymap, Grabs };
    Step m_step = Step::Idle;
    unsigned m_keymapCookie = 0;
    std::array<xcb_void_cookie_t, 4> m_grabCookies {};
    unsigned m_grabsDoneCookie = 0;
    QTimer m_poll;
    int m_tries = 0;
    bool m_filtering = false;
    bool m_kdeConnected = false;
};
