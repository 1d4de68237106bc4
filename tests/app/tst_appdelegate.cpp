// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestSupport.h"
#include "app/AppDelegate.h"
#include "app/CommandLine.h"
#include "app/NotchPanel.h"
#include "platform/KeyValueStore.h"

#include <QTemporaryDir>

using CommandLine::Action;

class TestAppDelegate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void launchShowsOnlyTheStripAndReopenShowsSettingsWhereTheyWere()
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

        // Closing only hides it; reopened, it is where it was.
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

    // What a launch is asked to do.
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Action>("action");
        QTest::newRow("none") << QStringList {} << Action::Run;
        QTest::newRow("toggle") << QStringList { "--toggle" } << Action::Toggle;
        // Printing never reaches the running instance, whatever else is asked.
        QTest::newRow("help wins over toggle") << QStringList { "--toggle", "-h" } << Action::Help;
        QTest::newRow("help wins over version") << QStringList { "--version", "--help" } << Action::Help;
        QTest::newRow("version with unknown") << QStringList { "--bogus", "--version" } << Action::Version;
        QTest::newRow("unknown option") << QStringList { "--toggle", "--bogus" } << Action::Invalid;
        QTest::newRow("stray word") << QStringList { "toggle" } << Action::Invalid;
        QTest::newRow("single dash version") << QStringList { "-version" } << Action::Invalid;
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(Action, action);
        arguments.prepend(QStringLiteral("brivane"));
        QCOMPARE(CommandLine::parse(arguments), action);
    }
};

BRIVANE_TEST_MAIN(TestAppDelegate)
#include "tst_appdelegate.moc"
