// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// How scripts are run: output trimmed, failures and a missing tool reported as such.
#include "TestSupport.h"
#include "platform/ScriptRunner.h"

namespace {

ProcessResult output(const QByteArray &bytes, int exitCode = 0)
{
    ProcessResult result;
    result.started = true;
    result.exitCode = exitCode;
    result.standardOutput = bytes;
    return result;
}

} // namespace

class TestScriptRunner : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void runnerModes()
    {
        QList<QStringList> calls;
        QMap<QString, ProcessResult> replies { { "ok", output("  Song|||A\n") },
            { "fails", output("partial\n", 1) }, { "binary", output("\xff\xfe") } };
        ScriptRunner runner([&](const QString &program, const QStringList &arguments) {
            calls << (QStringList { program } + arguments);
            return replies.value(arguments.value(1), output("raw \n"));
        });
        QCOMPARE(runner.query("ok"), std::optional<QString>("Song|||A"));
        QCOMPARE(calls.first(), QStringList({ "/usr/bin/osascript", "-e", "ok" }));
        QVERIFY(!runner.query("fails"));
        QCOMPARE(runner.query("binary"), std::optional<QString>(""));
        QCOMPARE(runner.artQuery("fails"), QString("partial"));
        QCOMPARE(runner.subprocess({ "osascript", "-e", "x" }), std::optional<QString>("raw \n"));
        QCOMPARE(calls.last(), QStringList({ "/usr/bin/osascript", "-e", "x" }));

        // Without the tool nothing is launched and every run fails.
        int launches = 0;
        ScriptRunner absent(
            [&](const QString &, const QStringList &) {
                ++launches;
                return output("x");
            },
            false);
        QVERIFY(!absent.query("ok"));
        QCOMPARE(absent.artQuery("ok"), QString());
        absent.runScript("ok");
        QCOMPARE(launches, 0);
        if (!QFile::exists(ScriptRunner::toolPath()))
            QVERIFY(!ScriptRunner().available());
    }
};

BRIVANE_TEST_MAIN(TestScriptRunner)
#include "tst_scriptrunner.moc"
