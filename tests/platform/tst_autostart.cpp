// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestSupport.h"
#include "platform/Autostart.h"

#include <QFile>

class TestAutostart : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void switchWritesAndRemovesTheUsersEntry()
    {
        QTemporaryDir dir;
        qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
        const QString path = dir.filePath(QStringLiteral("autostart/org.brivane.Brivane.desktop"));
        QCOMPARE(Autostart::entryPath(), path);

        Autostart autostart;
        QVERIFY(!autostart.enabled());
        QSignalSpy changed(&autostart, &Autostart::enabledChanged);
        autostart.setEnabled(true);
        QVERIFY(autostart.enabled());
        QVERIFY(QFile::exists(path));
        autostart.setEnabled(true);
        QCOMPARE(changed.size(), 1);

        // A new instance (a later run) reads the state from the file system.
        QVERIFY(Autostart().enabled());
        autostart.setEnabled(false);
        QVERIFY(!QFile::exists(path));
        QVERIFY(!Autostart().enabled());
    }

    void programPathsAreQuotedForTheExecLine()
    {
        const QByteArray text = Autostart::entryText(QStringLiteral("/opt/my apps/bri\"vane$x"));
        QVERIFY(text.startsWith("[Desktop Entry]\n"));
        QVERIFY(text.contains("\nExec=\"/opt/my apps/bri\\\\\"vane\\\\$x\"\n"));
        QVERIFY(text.contains("\nType=Application\n"));
    }

    void aFailedWriteLeavesTheSwitchOff()
    {
        QTemporaryDir dir;
        QFile blocker(dir.filePath(QStringLiteral("autostart")));
        QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
        blocker.close();
        qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
        Autostart autostart;
        autostart.setEnabled(true);
        QVERIFY(!autostart.enabled());
        QVERIFY(!autostart.lastError().isEmpty());
    }
};

BRIVANE_TEST_MAIN(TestAutostart)
#include "tst_autostart.moc"
