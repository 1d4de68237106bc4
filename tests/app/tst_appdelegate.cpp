// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestSupport.h"
#include "app/AppDelegate.h"
#include "app/NotchPanel.h"
#include "platform/KeyValueStore.h"

#include <QTemporaryDir>

class TestAppDelegate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void launchShowsOnlyTheStripAndReopenShowsSettings()
    {
        QTemporaryDir dir;
        KeyValueStore prefs(TestSupport::temporaryPreferencesPath(dir));
        AppDelegate delegate(prefs);
        QVERIFY(delegate.sharedNotes() && delegate.sharedClipboard() && delegate.sharedAI()
            && delegate.sharedMedia());
        QVERIFY(!delegate.notchPanel());

        delegate.applicationDidFinishLaunching();
        QVERIFY(delegate.notchPanel()->isVisible());
        QVERIFY(!delegate.notchPanel()->isExpanded());
        SettingsWindow *settings = delegate.mainWindow();
        QVERIFY(settings);
        QVERIFY(!settings->isVisible());
        QVERIFY(!delegate.hasVisibleWindows());
        QCOMPARE(settings->title(), QStringLiteral("Brivane Settings"));
        QCOMPARE(settings->size(), QSize(400, 720));
        QCOMPARE(settings->minimumSize(), settings->maximumSize());

        QVERIFY(delegate.applicationShouldHandleReopen(delegate.hasVisibleWindows()));
        QVERIFY(settings->isVisible());
        QVERIFY(delegate.hasVisibleWindows());
        QVERIFY(delegate.applicationShouldHandleReopen(true));
        QVERIFY(settings->isVisible());
    }

    void closingOnlyHidesAndReopenReturnsToTheSamePlace()
    {
        QTemporaryDir dir;
        KeyValueStore prefs(TestSupport::temporaryPreferencesPath(dir));
        AppDelegate delegate(prefs);
        delegate.applicationDidFinishLaunching();
        SettingsWindow *settings = delegate.mainWindow();
        delegate.applicationShouldHandleReopen(false);
        QVERIFY(QTest::qWaitForWindowExposed(settings));
        settings->setPosition(123, 77);
        QPointer<SettingsWindow> guard(settings);

        settings->close();
        QVERIFY(guard);
        QVERIFY(!settings->isVisible());

        delegate.applicationShouldHandleReopen(delegate.hasVisibleWindows());
        QVERIFY(settings->isVisible());
        QCOMPARE(settings->position(), QPoint(123, 77));
        QCOMPARE(delegate.mainWindow(), settings);
    }
};

BRIVANE_TEST_MAIN(TestAppDelegate)
#include "tst_appdelegate.moc"
