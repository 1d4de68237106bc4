// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringList>

// Brivane's few options, read before anything starts, so that --help and
// --version work without a desktop and never reach a running instance.
namespace CommandLine {

enum class Action {
    Run, // start, or hand the reopen request to the running instance
    Toggle, // open or close the card of the running instance
    Help, // print the usage to standard output and exit 0
    Version, // print the version to standard output and exit 0
    Invalid, // print the usage to standard error and exit 2
};

// `arguments` includes the program name. --help beats --version, and both
// beat anything else on the line, unknown options included.
Action parse(const QStringList &arguments);

QString usage();
QString version();

// Prints what the action asks for; returns the exit status, or -1 when the
// program should go on and run.
int respond(Action action);

} // namespace CommandLine
