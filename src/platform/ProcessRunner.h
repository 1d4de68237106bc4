// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

struct ProcessResult
{
    bool started = false;
    bool timedOut = false;
    int exitCode = -1;
    QByteArray standardOutput;

    // Started, finished within its deadline, and exited with status 0.
    bool succeeded() const { return started && !timedOut && exitCode == 0; }
};

// Starts programs with an argument list (never through a shell) and a
// deadline; a process that outlives its deadline is killed. A program that
// cannot start yields started == false and no output.
class ProcessRunner
{
public:
    // Blocks the calling thread: for worker threads only, never the UI thread.
    static ProcessResult runBlocking(const QString &program, const QStringList &arguments, int timeoutMs,
        const QByteArray &standardInput = {});

    // Whether `program` resolves to an executable file (absolute path or PATH).
    static bool isExecutable(const QString &program);
};
