// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "GlobalShortcut.h"

#include "X11.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>
#include <algorithm>
#include <array>
#include <cstdlib>

// xcb/xkb.h names a member "explicit", which C++ cannot take; of it only the
// extension is needed, whose events Qt has asked for on this connection.
extern "C" xcb_extension_t xcb_xkb_id;

namespace {

constexpr int PollMs = 4;
constexpr int MaxTries = 250;

// X11 modifier masks.
constexpr uint16_t ShiftMask = 1;
constexpr uint16_t LockMask = 2;
constexpr uint16_t ControlMask = 4;
constexpr uint16_t AltMask = 8; // Mod1
constexpr uint16_t NumLockMask = 16; // Mod2
constexpr uint16_t SuperMask = 64; // Mod4
constexpr uint8_t BadAccess = 10;

const QString kKdeService = QStringLiteral("org.kde.kglobalaccel");
const QString kKdeComponent = QStringLiteral("brivane");
const QString kKdeAction = QStringLiteral("toggle");

struct NamedKey
{
    int qtKey;
    quint32 keysym;
    const char *name; // as GNOME Shell writes it
};

constexpr std::array kSpecialKeys {
    NamedKey { Qt::Key_Escape, 0xff1b, "Escape" },
    NamedKey { Qt::Key_Tab, 0xff09, "Tab" },
    NamedKey { Qt::Key_Backspace, 0xff08, "BackSpace" },
    NamedKey { Qt::Key_Return, 0xff0d, "Return" },
    NamedKey { Qt::Key_Enter, 0xff8d, "KP_Enter" },
    NamedKey { Qt::Key_Insert, 0xff63, "Insert" },
    NamedKey { Qt::Key_Delete, 0xffff, "Delete" },
    NamedKey { Qt::Key_Pause, 0xff13, "Pause" },
    NamedKey { Qt::Key_Print, 0xff61, "Print" },
    NamedKey { Qt::Key_Home, 0xff50, "Home" },
    NamedKey { Qt::Key_End, 0xff57, "End" },
    NamedKey { Qt::Key_Left, 0xff51, "Left" },
    NamedKey { Qt::Key_Up, 0xff52, "Up" },
    NamedKey { Qt::Key_Right, 0xff53, "Right" },
    NamedKey { Qt::Key_Down, 0xff54, "Down" },
    NamedKey { Qt::Key_PageUp, 0xff55, "Page_Up" },
    NamedKey { Qt::Key_PageDown, 0xff56, "Page_Down" },
    NamedKey { Qt::Key_Space, 0x20, "space" },
};

uint16_t x11Modifiers(Qt::KeyboardModifiers modifiers)
{
    uint16_t mask = 0;
    if (modifiers & Qt::ShiftModifier)
        mask |= ShiftMask;
    if (modifiers & Qt::ControlModifier)
        mask |= ControlMask;
    if (modifiers & Qt::AltModifier)
        mask |= AltMask;
    if (modifiers & Qt::MetaModifier)
        mask |= SuperMask;
    return mask;
}

// Caps Lock and Num Lock must not stop the combination from working.
constexpr std::array<uint16_t, 4> kLockVariants { 0, LockMask, NumLockMask, LockMask | NumLockMask };

QStringList kdeActionId()
{
    return { kKdeComponent, kKdeAction, QStringLiteral("Brivane"),
        GlobalShortcut::tr("Open or close Brivane") };
}

} // namespace

GlobalShortcut::GlobalShortcut(const QDBusConnection &bus, QObject *parent)
    : QObject(parent)
    , m_bus(bus)
{
    m_poll.setInterval(PollMs);
    connect(&m_poll, &QTimer::timeout, this, &GlobalShortcut::collectX11);
}

GlobalShortcut::~GlobalShortcut()
{
    release();
}

void GlobalShortcut::setBackend(Backend backend)
{
    if (m_backend == backend)
        return;
    release();
    m_backend = backend;
    apply();
}

void GlobalShortcut::setShortcut(const QKeySequence &sequence)
{
    if (sequence == m_sequence)
        return;
    release();
    m_sequence = sequence;
    apply();
}

void GlobalShortcut::setState(State state)
{
    if (m_state == state)
        return;
    m_state = state;
    Q_EMIT stateChanged();
}

void GlobalShortcut::apply()
{
    ++m_generation;
    if (m_sequence.isEmpty()) {
        if (m_backend == Backend::Shell)
            Q_EMIT acceleratorChanged(QString());
        else if (m_backend == Backend::KdeService)
            registerWithKde();
        setState(State::Off);
        return;
    }
    switch (m_backend) {
    case Backend::None:
        setState(State::Unavailable);
        break;
    case Backend::X11:
        grabX11();
        break;
    case Backend::KdeService:
        registerWithKde();
        break;
    case Backend::Shell:
        setState(State::Off);
        Q_EMIT acceleratorChanged(toAccelerator(m_sequence));
        break;
    }
}

void GlobalShortcut::release()
{
    stopAsking();
    ungrab();
    m_keycode = 0;
    m_keysym = 0;
    if (m_backend == Backend::Shell && !m_sequence.isEmpty())
        Q_EMIT acceleratorChanged(QString());
}

void GlobalShortcut::stopAsking()
{
    // Unread answers would stay with the connection for good.
    if (m_step == Step::Keymap) {
        xcb_discard_reply(m_connection, m_keymapCookie);
    } else if (m_step == Step::Grabs) {
        for (const xcb_void_cookie_t cookie : m_grabCookies)
            xcb_discard_reply(m_connection, cookie.sequence);
        xcb_discard_reply(m_connection, m_grabsDoneCookie);
    }
    m_step = Step::Idle;
    m_poll.stop();
}

void GlobalShortcut::ungrab()
{
    // Letting go of a grab another client holds does nothing.
    if (m_connection && m_keycode) {
        for (const uint16_t variant : kLockVariants)
            xcb_ungrab_key(m_connection, m_keycode, m_root, m_modifiers | variant);
        xcb_flush(m_connection);
    }
}

void GlobalShortcut::setShellResult(bool grabbed)
{
    if (m_backend == Backend::Shell && !m_sequence.isEmpty())
        setState(grabbed ? State::Registered : State::Taken);
}

quint32 GlobalShortcut::keysymFor(int qtKey)
{
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return quint32('a' + (qtKey - Qt::Key_A));
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F35)
        return 0xffbe + quint32(qtKey - Qt::Key_F1);
    for (const NamedKey &key : kSpecialKeys) {
        if (key.qtKey == qtKey)
            return key.keysym;
    }
    // Latin-1 keys have keysyms equal to their code.
    if ((qtKey > 0x20 && qtKey < 0x7f) || (qtKey >= 0xa0 && qtKey <= 0xff))
        return quint32(qtKey);
    return 0;
}

QString GlobalShortcut::toAccelerator(const QKeySequence &sequence)
{
    if (sequence.count() != 1)
        return QString();
    const QKeyCombination combination = sequence[0];
    const int key = combination.key();
    QString name;
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        name = QChar(u'a' + (key - Qt::Key_A));
    else if (key >= Qt::Key_0 && key <= Qt::Key_9)
        name = QChar(key);
    else if (key >= Qt::Key_F1 && key <= Qt::Key_F35)
        name = QStringLiteral("F%1").arg(key - Qt::Key_F1 + 1);
    for (const NamedKey &named : kSpecialKeys) {
        if (named.qtKey == key)
            name = QString::fromLatin1(named.name);
    }
    if (name.isEmpty())
        return QString();
    const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
    QString accelerator;
    if (modifiers & Qt::ControlModifier)
        accelerator += QLatin1String("<Control>");
    if (modifiers & Qt::ShiftModifier)
        accelerator += QLatin1String("<Shift>");
    if (modifiers & Qt::AltModifier)
        accelerator += QLatin1String("<Alt>");
    if (modifiers & Qt::MetaModifier)
        accelerator += QLatin1String("<Super>");
    return accelerator + name;
}

void GlobalShortcut::grabX11()
{
    m_connection = X11::connection();
    m_keysym = keysymFor(m_sequence[0].key());
    if (!m_connection || !m_keysym) {
        setState(State::Unavailable);
        return;
    }
    m_root = X11::rootWindow(m_connection);
    m_modifiers = x11Modifiers(m_sequence[0].keyboardModifiers());
    if (!m_filtering) {
        // Qt has set up XKB on this connection, so its data is at hand.
        const xcb_query_extension_reply_t *xkb = xcb_get_extension_data(m_connection, &xcb_xkb_id);
        if (xkb && xkb->present)
            m_xkbEvent = xkb->first_event;
        qGuiApp->installNativeEventFilter(this);
        m_filtering = true;
    }
    setState(State::Off);
    askKeymap();
}

void GlobalShortcut::askKeymap()
{
    // Which key carries the symbol is the server's keymap; asked, not
    // waited for.
    stopAsking();
    const xcb_setup_t *setup = xcb_get_setup(m_connection);
    m_keymapCookie = xcb_get_keyboard_mapping(
        m_connection, setup->min_keycode, uint8_t(setup->max_keycode - setup->min_keycode + 1))
                         .sequence;
    xcb_flush(m_connection);
    m_step = Step::Keymap;
    m_tries = 0;
    m_poll.start();
}

void GlobalShortcut::collectX11()
{
    if (m_step == Step::Keymap) {
        xcb_get_keyboard_mapping_reply_t *reply = nullptr;
        if (!X11::takeReply(m_connection, m_keymapCookie, &reply)) {
            // A grab already in place stays.
            if (++m_tries > MaxTries) {
                stopAsking();
                if (!m_keycode)
                    setState(State::Unavailable);
            }
            return;
        }
        m_step = Step::Idle;
        m_poll.stop();
        xcb_keycode_t keycode = 0;
        if (reply) {
            const xcb_keysym_t *syms = xcb_get_keyboard_mapping_keysyms(reply);
            const int count = xcb_get_keyboard_mapping_keysyms_length(reply);
            const int perKey = std::max<int>(1, reply->keysyms_per_keycode);
            const xcb_keycode_t first = xcb_get_setup(m_connection)->min_keycode;
            // The unshifted and shifted symbols of each key.
            for (int i = 0; i < count && !keycode; ++i) {
                if (i % perKey < 2 && syms[i] == m_keysym)
                    keycode = xcb_keycode_t(first + i / perKey);
            }
            std::free(reply);
        }
        if (!keycode) {
            ungrab();
            m_keycode = 0;
            setState(State::Unavailable);
        } else if (keycode != m_keycode) {
            regrab(keycode);
        }
        return;
    }
    if (m_step == Step::Grabs) {
        xcb_get_input_focus_reply_t *done = nullptr;
        if (!X11::takeReply(m_connection, m_grabsDoneCookie, &done)) {
            if (++m_tries > MaxTries) {
                stopAsking();
                setState(State::Unavailable);
            }
            return;
        }
        std::free(done);
        m_step = Step::Idle;
        m_poll.stop();
        bool taken = false;
        for (const xcb_void_cookie_t cookie : m_grabCookies) {
            // The server answered a later request, so this one is done and
            // its error, if any, is at hand: no wait.
            xcb_generic_error_t *error = xcb_request_check(m_connection, cookie);
            taken = taken || (error && error->error_code == BadAccess);
            std::free(error);
        }
        if (taken) {
            // Brivane keeps working without it; what was grabbed goes back.
            ungrab();
            setState(State::Taken);
        } else {
            setState(State::Registered);
        }
    }
}

void GlobalShortcut::regrab(xcb_keycode_t keycode)
{
    ungrab();
    m_keycode = keycode;
    // Keys go to the root window whichever window has the keyboard; a
    // BadAccess answer to any of these means another client holds it.
    for (size_t i = 0; i < kLockVariants.size(); ++i) {
        m_grabCookies[i] = xcb_grab_key_checked(m_connection, 0, m_root, m_modifiers | kLockVariants[i],
            keycode, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    }
    m_grabsDoneCookie = xcb_get_input_focus(m_connection).sequence;
    xcb_flush(m_connection);
    m_step = Step::Grabs;
    m_tries = 0;
    m_poll.start();
}

bool GlobalShortcut::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t" || m_backend != Backend::X11 || !m_keysym)
        return false;
    auto *event = static_cast<xcb_generic_event_t *>(message);
    const uint8_t type = event->response_type & ~0x80;
    // The symbol may now be on another key: a new keymap, or through XKB,
    // which tells its own clients of a new keyboard only in its own event.
    // XKB's events all share one type; the second byte tells them apart.
    constexpr uint8_t XkbNewKeyboardNotify = 0;
    if ((type == XCB_MAPPING_NOTIFY
            && reinterpret_cast<xcb_mapping_notify_event_t *>(event)->request == XCB_MAPPING_KEYBOARD)
        || (m_xkbEvent && type == m_xkbEvent && event->pad0 == XkbNewKeyboardNotify)) {
        askKeymap();
        return false;
    }
    if (type == XCB_KEY_PRESS && m_keycode) {
        auto *press = reinterpret_cast<xcb_key_press_event_t *>(event);
        const uint16_t modifiers = press->state & ~(LockMask | NumLockMask);
        if (press->event == m_root && press->detail == m_keycode
            && (modifiers & (ShiftMask | ControlMask | AltMask | SuperMask)) == m_modifiers) {
            Q_EMIT activated();
            return true;
        }
    }
    return false;
}

void GlobalShortcut::registerWithKde()
{
    if (!m_kdeConnected) {
        m_kdeConnected = m_bus.connect(kKdeService, QStringLiteral("/component/") + kKdeComponent,
            QStringLiteral("org.kde.kglobalaccel.Component"), QStringLiteral("globalShortcutPressed"), this,
            SLOT(onKdeShortcutPressed(QString, QString, qlonglong)));
    }
    const QStringList actionId = kdeActionId();
    QDBusMessage doRegister = QDBusMessage::createMethodCall(kKdeService, QStringLiteral("/kglobalaccel"),
        QStringLiteral("org.kde.KGlobalAccel"), QStringLiteral("doRegister"));
    doRegister << actionId;
    m_bus.asyncCall(doRegister);
    // Set it as given rather than as remembered (no autoloading), and learn
    // what the service actually assigned: nothing when another action has it.
    // None lets the keys go.
    const QList<int> keys = m_sequence.isEmpty() ? QList<int>() : QList<int> { m_sequence[0].toCombined() };
    QDBusMessage set = QDBusMessage::createMethodCall(kKdeService, QStringLiteral("/kglobalaccel"),
        QStringLiteral("org.kde.KGlobalAccel"), QStringLiteral("setShortcut"));
    constexpr uint SetPresent = 2;
    constexpr uint NoAutoloading = 4;
    set << actionId << QVariant::fromValue(keys) << uint(SetPresent | NoAutoloading);
    setState(State::Off);
    if (keys.isEmpty()) {
        m_bus.asyncCall(set);
        return;
    }
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(set, 5000), this);
    const quint64 generation = m_generation;
    const int combined = keys.constFirst();
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, generation, combined] {
        watcher->deleteLater();
        if (generation != m_generation)
            return;
        const QDBusPendingReply<QList<int>> reply = *watcher;
        if (reply.isError()) {
            setState(State::Unavailable);
            return;
        }
        setState(reply.value().contains(combined) ? State::Registered : State::Taken);
    });
}

void GlobalShortcut::onKdeShortcutPressed(const QString &component, const QString &action, qlonglong)
{
    if (m_backend == Backend::KdeService && component == kKdeComponent && action == kKdeAction
        && m_state == State::Registered)
        Q_EMIT activated();
}
