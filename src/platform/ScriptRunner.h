// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ProcessRunner.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// Runs the system script tool ("/usr/bin/osascript -e <text>") and small
// command-line tools for the media sources. Every run blocks its caller until
// the process exits or its deadline passes, so call it from worker threads
// only. Where the script tool does not exist (it is checked once) every run
// counts as a launch failure and no process is started.
class ScriptRunner
{
public:
    // Starts `program` with `arguments` and waits for it.
    using Launcher = std::function<ProcessResult(const QString &program, const QStringList &arguments)>;

    static constexpr int kScriptTimeoutMs = 5000;
    static QString toolPath();

    // The real script tool, launched through ProcessRunner.
    ScriptRunner();
    // Every run goes to `launcher`; with `toolExists` false none does.
    explicit ScriptRunner(Launcher launcher, bool toolExists = true);

    // Whether runs can start at all; false means every mode gives its
    // launch-failure result at once.
    bool available() const { return m_available; }

    // Exit status 0 required: the output as UTF-8, trimmed; none otherwise.
    // Undecodable output gives "".
    std::optional<QString> query(const QString &script) const;
    // As query, but the exit status is ignored and failure gives "".
    QString artQuery(const QString &script) const;
    // Effect only.
    void runScript(const QString &script) const;
    // Runs "/usr/bin/" + command[0] with the rest as arguments; the output as
    // UTF-8, untrimmed, or none when undecodable.
    std::optional<QString> subprocess(const QStringList &command) const;

    // Strict UTF-8: none when the bytes are not valid UTF-8.
    static std::optional<QString> decodeUtf8(const QByteArray &bytes);

private:
    ProcessResult launch(const QString &program, const QStringList &arguments) const;

    Launcher m_launcher;
    bool m_available = false;
};
