// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestSupport.h"
#include "app/PanelSettings.h"
#include "platform/KeyValueStore.h"

#include <QTemporaryDir>

class TestPanelSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void valuesPersistAndBadOnesReadAsDefaults()
    {
        QTemporaryDir dir;
        const QString path = TestSupport::temporaryPreferencesPath(dir);
        {
            KeyValueStore prefs(path);
            PanelSettings settings(prefs);
            QCOMPARE(settings.openDelay(), 0);
            QCOMPARE(settings.closeGrace(), 0);
            QVERIFY(!settings.hideOverFullScreen());
            QVERIFY(!settings.showActivity());
            QCOMPARE(settings.shortcut(), QStringLiteral("Super+Alt+B"));
            QSignalSpy spy(&settings, &PanelSettings::openDelayChanged);
            settings.setOpenDelay(300);
            settings.setOpenDelay(300);
            QCOMPARE(spy.count(), 1);
            settings.setCloseGrace(5000); // clamped to the range
            settings.setHideOverFullScreen(true);
            settings.setShowActivity(true);
            prefs.flush();
        }
        {
            KeyValueStore prefs(path);
            PanelSettings settings(prefs);
            QCOMPARE(settings.openDelay(), 300);
            QCOMPARE(settings.closeGrace(), 1000);
            QVERIFY(settings.hideOverFullScreen());
            QVERIFY(settings.showActivity());
            // Hand-edited nonsense reads as the defaults.
            prefs.setString(QStringLiteral("brivane_open_delay_ms"), QStringLiteral("-20"));
            prefs.setString(QStringLiteral("brivane_close_grace_ms"), QStringLiteral("soon"));
            prefs.setStringArray(QStringLiteral("brivane_hide_over_fullscreen"), { QStringLiteral("true") });
            prefs.setString(QStringLiteral("brivane_shortcut"), QStringLiteral("Ctrl+Banana"));
            prefs.flush();
        }
        KeyValueStore prefs(path);
        PanelSettings settings(prefs);
        QCOMPARE(settings.openDelay(), 0);
        QCOMPARE(settings.closeGrace(), 0);
        QVERIFY(!settings.hideOverFullScreen());
        QCOMPARE(settings.shortcut(), QStringLiteral("Super+Alt+B"));
    }

    void stripsGoWhereTheMonitorSettingSaysAndFallBack()
    {
        const QStringList present { QStringLiteral("DP-1"), QStringLiteral("HDMI-1"),
            QStringLiteral("eDP-1") };
        const QString primary = QStringLiteral("eDP-1");
        QCOMPARE(PanelSettings::monitorsToShow(QString(), present, primary), QStringList { primary });
        QCOMPARE(PanelSettings::monitorsToShow(QStringLiteral("HDMI-1"), present, primary),
            QStringList { QStringLiteral("HDMI-1") });
        // Unplugged or unknown: the primary, until it is there again.
        QCOMPARE(
            PanelSettings::monitorsToShow(QStringLiteral("DP-9"), present, primary), QStringList { primary });
        // Every monitor once, the primary first.
        QCOMPARE(PanelSettings::monitorsToShow(PanelSettings::AllMonitors, present, primary),
            (QStringList { primary, QStringLiteral("DP-1"), QStringLiteral("HDMI-1") }));
    }

    void onlyRealKeyCombinationsAreTakenAsShortcuts()
    {
        QCOMPARE(
            PanelSettings::normalizedShortcut(QStringLiteral(" ctrl+alt+n ")), QStringLiteral("Ctrl+Alt+N"));
        QCOMPARE(PanelSettings::normalizedShortcut(QStringLiteral("F12")), QStringLiteral("F12"));
        QCOMPARE(PanelSettings::normalizedShortcut(QStringLiteral("none")), QString());
        for (const char *bad : { "Ctrl+Banana", "Ctrl+A, Ctrl+B", "Ctrl+Alt", "a", "+++" })
            QVERIFY2(!PanelSettings::normalizedShortcut(QString::fromLatin1(bad)), bad);

        QTemporaryDir dir;
        KeyValueStore prefs(TestSupport::temporaryPreferencesPath(dir));
        PanelSettings settings(prefs);
        QVERIFY(!settings.setShortcut(QStringLiteral("Ctrl+Banana")).isEmpty());
        QCOMPARE(settings.shortcut(), QStringLiteral("Super+Alt+B"));
        QVERIFY(!prefs.contains(QStringLiteral("brivane_shortcut")));
        QVERIFY(settings.setShortcut(QStringLiteral("meta+space")).isEmpty());
        QCOMPARE(prefs.string(QStringLiteral("brivane_shortcut")), QStringLiteral("Super+Space"));
    }
};

BRIVANE_TEST_MAIN(TestPanelSettings)
#include "tst_panelsettings.moc"
