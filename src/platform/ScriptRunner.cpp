// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ScriptRunner.h"

#include <QStringDecoder>

QString ScriptRunner::toolPath()
{
    return QStringLiteral("/usr/bin/osascript");
}

ScriptRunner::ScriptRunner()
    // Checked once: on systems without the tool no source ever starts a process.
    : m_available(ProcessRunner::isExecutable(toolPath()))
{
    m_launcher = [](const QString &program, const QStringList &arguments) {
        return ProcessRunner::runBlocking(program, arguments, kScriptTimeoutMs);
    };
}

ScriptRunner::ScriptRunner(Launcher launcher, bool toolExists)
    : m_launcher(std::move(launcher))
    , m_available(toolExists)
{
}

ProcessResult ScriptRunner::launch(const QString &program, const QStringList &arguments) const
{
    if (!m_available || !m_launcher)
        return {};
    return m_launcher(program, arguments);
}

std::optional<QString> ScriptRunner::decodeUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

std::optional<QString> ScriptRunner::query(const QString &script) const
{
    const ProcessResult result = launch(toolPath(), { QStringLiteral("-e"), script });
    if (!result.succeeded())
        return std::nullopt;
    return decodeUtf8(result.standardOutput).value_or(QString()).trimmed();
}

QString ScriptRunner::artQuery(const QString &script) const
{
    const ProcessResult result = launch(toolPath(), { QStringLiteral("-e"), script });
    return decodeUtf8(result.standardOutput).value_or(QString()).trimmed();
}

void ScriptRunner::runScript(const QString &script) const
{
    launch(toolPath(), { QStringLiteral("-e"), script });
}

std::optional<QString> ScriptRunner::subprocess(const QStringList &command) const
{
    if (command.isEmpty())
        return std::nullopt;
    const ProcessResult result = launch(QStringLiteral("/usr/bin/") + command.first(), command.mid(1));
    return decodeUtf8(result.standardOutput);
}
