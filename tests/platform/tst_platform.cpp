// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestSupport.h"
#include "app/Symbols.h"
#include "platform/ActiveScreen.h"
#include "platform/NotificationCenter.h"
#include "platform/ProcessRunner.h"
#include "platform/Session.h"
#include "platform/WaylandProbe.h"

#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QStandardPaths>

class TestPlatform : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void notificationsReachObserversInOrderAndStopWithTheirContext()
    {
        NotificationCenter center;
        QStringList calls;
        auto context = std::make_unique<QObject>();
        center.addObserver(
            "N", context.get(), [&](const QVariantMap &info) { calls << "a" + info.value("k").toString(); });
        const int token = center.addObserver("N", nullptr, [&](const QVariantMap &) { calls << "b"; });
        center.addObserver("Other", nullptr, [&](const QVariantMap &) { calls << "other"; });

        center.post("N", { { "k", "1" } });
        QCOMPARE(calls, QStringList({ "a1", "b" }));

        context.reset();
        center.removeObserver(token);
        calls.clear();
        center.post("N");
        QVERIFY(calls.isEmpty());
        QCOMPARE(center.observerCount("N"), 0);
    }

    void anObserverMayRemoveItselfWhilePosting()
    {
        NotificationCenter center;
        int calls = 0;
        int token = 0;
        token = center.addObserver("N", nullptr, [&](const QVariantMap &) {
            ++calls;
            center.removeObserver(token);
        });
        center.post("N");
        center.post("N");
        QCOMPARE(calls, 1);
    }

    void processesRunWithoutAShellAndWithinTheirDeadline()
    {
        // Arguments are passed as they are: nothing is expanded or split.
        const ProcessResult echo = ProcessRunner::runBlocking("printf", { "%s|", "$(id)", "a b;c" }, 3000);
        QVERIFY(echo.succeeded());
        QCOMPARE(echo.standardOutput, QByteArray("$(id)|a b;c|"));

        QElapsedTimer clock;
        clock.start();
        const ProcessResult hung = ProcessRunner::runBlocking("sleep", { "30" }, 300);
        QVERIFY(hung.started);
        QVERIFY(hung.timedOut);
        QVERIFY(!hung.succeeded());
        QVERIFY(clock.elapsed() < 10000);

        const ProcessResult missing = ProcessRunner::runBlocking("/nonexistent/tool", {}, 1000);
        QVERIFY(!missing.started);
        QVERIFY(missing.standardOutput.isEmpty());

        const ProcessResult failing = ProcessRunner::runBlocking("sh", { "-c", "echo out; exit 3" }, 3000);
        QCOMPARE(failing.exitCode, 3);
        QVERIFY(!failing.succeeded());

        QVERIFY(ProcessRunner::isExecutable("sh"));
        QVERIFY(!ProcessRunner::isExecutable("/nonexistent/tool"));
    }

    void everySymbolTheViewsUseHasAGlyph()
    {
        for (const char *name : { "music.note", "note.text", "timer", "function.inset", "doc.on.clipboard",
                 "bubble.left.fill", "desktopcomputer", "play.fill", "pause.fill", "bolt.fill",
                 "battery.75percent", "cpu", "memorychip", "internaldrive", "clock" }) {
            QVERIFY2(!Symbols::glyph(QString::fromLatin1(name)).isEmpty(), name);
        }
        QVERIFY(Symbols::glyph("no.such.symbol").isEmpty());
        QVERIFY(Symbols::loadFont());
    }

    // Brivane asks the compositor before it starts; one that takes the
    // connection and never answers, or none at all, must not hold it up.
    void aSilentOrMissingCompositorOffersNothing()
    {
        QLocalServer silent;
        const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        QLocalServer::removeServer(runtime + QStringLiteral("/silent-compositor"));
        QVERIFY(silent.listen(runtime + QStringLiteral("/silent-compositor")));
        qputenv("WAYLAND_DISPLAY", "silent-compositor");
        QVERIFY(!WaylandProbe::advertises("zwlr_layer_shell_v1", 200));
        qputenv("WAYLAND_DISPLAY", "no-such-compositor");
        QVERIFY(!WaylandProbe::advertises("zwlr_layer_shell_v1", 200));
        qunsetenv("WAYLAND_DISPLAY");
    }

    // On sway, the screen in use comes over its IPC socket; a compositor that
    // keeps silent, or answers garbage, leaves the choice to the pointer soon.
    void swayNamesTheFocusedOutput_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<QString>("screen");
        QTest::newRow("focused second output")
            << QByteArray(R"([{"output":"X11-1","focused":false},{"output":"HDMI-A-1","focused":true}])")
            << "HDMI-A-1";
        QTest::newRow("nothing focused") << QByteArray(R"([{"output":"X11-1"}])") << "";
        QTest::newRow("garbage") << QByteArray("\xff{") << "";
        QTest::newRow("silent") << QByteArray() << "";
    }
    void swayNamesTheFocusedOutput()
    {
        QFETCH(QByteArray, payload);
        QFETCH(QString, screen);
        QLocalServer sway;
        const QString path = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + "/sway-ipc";
        QLocalServer::removeServer(path);
        QVERIFY(sway.listen(path));
        connect(&sway, &QLocalServer::newConnection, &sway, [&] {
            QLocalSocket *client = sway.nextPendingConnection();
            connect(client, &QLocalSocket::readyRead, client, [client, payload] {
                const QByteArray request = client->readAll();
                if (payload.isEmpty() || !request.startsWith("i3-ipc"))
                    return;
                const quint32 header[2] = { quint32(payload.size()), 1 };
                client->write(
                    QByteArray("i3-ipc") + QByteArray(reinterpret_cast<const char *>(header), 8) + payload);
            });
        });
        qputenv("SWAYSOCK", path.toUtf8());
        ActiveScreen active(QDBusConnection::sessionBus());
        active.setSource(Session("sway", "wayland", true, true).activeScreenSource());
        QSignalSpy answered(&active, &ActiveScreen::answered);
        active.ask();
        QVERIFY(answered.wait(2000));
        QCOMPARE(answered.takeFirst().at(0).toString(), screen);
        QVERIFY(!answered.wait(ActiveScreen::kDeadlineMs + 100)); // once only
        qunsetenv("SWAYSOCK");
    }
};

BRIVANE_TEST_MAIN(TestPlatform)
#include "tst_platform.moc"
