// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The global shortcut on a real X server (run inside with-session.sh): a
// grab that works, one that another client holds first, and the forms the
// other desktops are given.
#include "platform/GlobalShortcut.h"
#include "platform/Session.h"

#include <QDBusConnection>
#include <QGuiApplication>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <xcb/xcb.h>

class TestGlobalShortcut : public QObject
{
    Q_OBJECT

private:
    // Letters only: this xdotool sends function keys through a borrowed
    // keycode, which no grab of the real key sees.
    static void pressKeys(const QString &keys)
    {
        QProcess::execute(QStringLiteral("xdotool"), { QStringLiteral("key"), keys });
    }

private Q_SLOTS:
    void combinationsBecomeTheDesktopsNames()
    {
        const auto accelerator = [](const char *portable) {
            return GlobalShortcut::toAccelerator(QKeySequence::fromString(QString::fromLatin1(portable)));
        };
        QCOMPARE(accelerator("Meta+Alt+B"), QStringLiteral("<Alt><Super>b"));
        QCOMPARE(accelerator("Ctrl+Shift+F12"), QStringLiteral("<Control><Shift>F12"));
        QCOMPARE(accelerator("Meta+Space"), QStringLiteral("<Super>space"));
        QCOMPARE(accelerator("Ctrl+\xc3\xa9"), QString()); // no name GNOME would take
        QCOMPARE(GlobalShortcut::keysymFor(Qt::Key_B), 0x62u);
        QCOMPARE(GlobalShortcut::keysymFor(Qt::Key_F1), 0xffbeu);
        QCOMPARE(GlobalShortcut::keysymFor(Qt::Key_PageDown), 0xff56u);

        // Where the keys come from, as the session allows.
        using B = GlobalShortcut::Backend;
        QCOMPARE(Session("KDE", "wayland", true, false).shortcutBackend(false), B::KdeService);
        QCOMPARE(Session("ubuntu:GNOME", "xcb", true, false).shortcutBackend(true), B::Shell);
        QCOMPARE(Session("ubuntu:GNOME", "xcb", true, false).shortcutBackend(false), B::None);
        QCOMPARE(Session("XFCE", "xcb", false, false).shortcutBackend(false), B::X11);
        QCOMPARE(Session("sway", "wayland", true, true).shortcutBackend(false), B::None);
    }

    void aGrabbedCombinationFiresWhereverTheKeyboardIs()
    {
        GlobalShortcut shortcut(QDBusConnection::sessionBus());
        QSignalSpy activated(&shortcut, &GlobalShortcut::activated);
        shortcut.setBackend(GlobalShortcut::Backend::X11);
        shortcut.setShortcut(QKeySequence(QStringLiteral("Ctrl+Alt+J")));
        QTRY_COMPARE(shortcut.state(), GlobalShortcut::State::Registered);
        pressKeys(QStringLiteral("ctrl+alt+j"));
        QTRY_COMPARE(activated.count(), 1);

        // Changed, the old combination is let go and the new one is taken.
        shortcut.setShortcut(QKeySequence(QStringLiteral("Ctrl+Alt+K")));
        QTRY_COMPARE(shortcut.state(), GlobalShortcut::State::Registered);
        pressKeys(QStringLiteral("ctrl+alt+j"));
        pressKeys(QStringLiteral("ctrl+alt+k"));
        QTRY_COMPARE(activated.count(), 2);

        // A new keymap moves K to another key (evdev's Y): the grab follows.
        const auto remap = [](const char *k, const char *y) {
            QProcess::execute(QStringLiteral("xmodmap"),
                { QStringLiteral("-e"), QLatin1String("keycode 45 = ") + QLatin1String(k),
                    QStringLiteral("-e"), QLatin1String("keycode 29 = ") + QLatin1String(y) });
        };
        remap("y Y", "k K");
        const auto restore = qScopeGuard([&remap] { remap("k K", "y Y"); });
        for (int i = 0; i < 20 && activated.count() < 3; ++i) {
            pressKeys(QStringLiteral("ctrl+alt+k"));
            QTest::qWait(50);
        }
        QCOMPARE(activated.count(), 3);
        shortcut.setShortcut(QKeySequence());
        QCOMPARE(shortcut.state(), GlobalShortcut::State::Off);
    }

    void aCombinationHeldByAnotherProgramIsReportedAndLeftAlone()
    {
        // Another client holds Ctrl+Alt+L first.
        xcb_connection_t *other = xcb_connect(nullptr, nullptr);
        QVERIFY(!xcb_connection_has_error(other));
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(other)).data->root;
        const xcb_keycode_t l = 46; // the X server's evdev keymap
        const uint16_t ctrlAlt = 4 | 8;
        QVERIFY(!xcb_request_check(other,
            xcb_grab_key_checked(other, 0, root, ctrlAlt, l, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC)));

        GlobalShortcut shortcut(QDBusConnection::sessionBus());
        shortcut.setBackend(GlobalShortcut::Backend::X11);
        shortcut.setShortcut(QKeySequence(QStringLiteral("Ctrl+Alt+L")));
        QTRY_COMPARE(shortcut.state(), GlobalShortcut::State::Taken);

        // Brivane goes on with another one.
        QSignalSpy activated(&shortcut, &GlobalShortcut::activated);
        shortcut.setShortcut(QKeySequence(QStringLiteral("Ctrl+Alt+H")));
        QTRY_COMPARE(shortcut.state(), GlobalShortcut::State::Registered);
        pressKeys(QStringLiteral("ctrl+alt+h"));
        QTRY_COMPARE(activated.count(), 1);
        xcb_disconnect(other);
    }
};

QTEST_MAIN(TestGlobalShortcut)
#include "tst_globalshortcut.moc"
