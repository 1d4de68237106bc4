// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestSupport.h"
#include "app/CommandLine.h"

using CommandLine::Action;

class TestCommandLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parse_data()
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
    void parse()
    {
        QFETCH(QStringList, arguments);
        QFETCH(Action, action);
        arguments.prepend(QStringLiteral("brivane"));
        QCOMPARE(CommandLine::parse(arguments), action);
    }
};

BRIVANE_TEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
