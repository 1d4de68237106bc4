// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "VolumeControl.h"

#include "ProcessRunner.h"

#include <QRegularExpression>
#include <QString>
#include <cmath>

SystemVolume::Tool SystemVolume::tool()
{
    // wpctl where PipeWire answers it; pactl serves PulseAudio, and
    // PipeWire's own PulseAudio service too. An installed wpctl with no
    // PipeWire running (PulseAudio as the sound server) is passed over.
    // Asked once, on the volume's own worker.
    std::call_once(m_once, [this] {
        const bool wpctl = ProcessRunner::isExecutable(QStringLiteral("wpctl"));
        const bool pactl = ProcessRunner::isExecutable(QStringLiteral("pactl"));
        if (wpctl
            && (!pactl
                || ProcessRunner::runBlocking(QStringLiteral("wpctl"),
                    { QStringLiteral("get-volume"), QStringLiteral("@DEFAULT_AUDIO_SINK@") }, kTimeoutMs)
                       .succeeded()))
            m_tool = Tool::Wpctl;
        else if (pactl)
            m_tool = Tool::Pactl;
    });
    return m_tool;
}

bool SystemVolume::available()
{
    return tool() != Tool::None;
}

void SystemVolume::setPercent(int percent)
{
    const QString level = QString::number(percent) + QLatin1Char('%');
    switch (tool()) {
    case Tool::Wpctl:
        ProcessRunner::runBlocking(QStringLiteral("wpctl"),
            { QStringLiteral("set-volume"), QStringLiteral("@DEFAULT_AUDIO_SINK@"), level }, kTimeoutMs);
        break;
    case Tool::Pactl:
        ProcessRunner::runBlocking(QStringLiteral("pactl"),
            { QStringLiteral("set-sink-volume"), QStringLiteral("@DEFAULT_SINK@"), level }, kTimeoutMs);
        break;
    case Tool::None:
        break;
    }
}

std::optional<int> SystemVolume::readPercent()
{
    switch (tool()) {
    case Tool::Wpctl: {
        const ProcessResult result = ProcessRunner::runBlocking(QStringLiteral("wpctl"),
            { QStringLiteral("get-volume"), QStringLiteral("@DEFAULT_AUDIO_SINK@") }, kTimeoutMs);
        return result.succeeded() ? parseWpctl(result.standardOutput) : std::nullopt;
    }
    case Tool::Pactl: {
        const ProcessResult result = ProcessRunner::runBlocking(QStringLiteral("pactl"),
            { QStringLiteral("get-sink-volume"), QStringLiteral("@DEFAULT_SINK@") }, kTimeoutMs);
        return result.succeeded() ? parsePactl(result.standardOutput) : std::nullopt;
    }
    case Tool::None:
        break;
    }
    return std::nullopt;
}

std::optional<int> SystemVolume::parseWpctl(const QByteArray &output)
{
    static const QRegularExpression pattern(QStringLiteral("^Volume:\\s+([0-9]+(?:\\.[0-9]+)?)"));
    const QRegularExpressionMatch match = pattern.match(QString::fromUtf8(output));
    if (!match.hasMatch())
        return std::nullopt;
    bool ok = false;
    const double fraction = match.captured(1).toDouble(&ok);
    if (!ok || !std::isfinite(fraction))
        return std::nullopt;
    return static_cast<int>(std::lround(fraction * 100.0));
}

std::optional<int> SystemVolume::parsePactl(const QByteArray &output)
{
    // The first channel stands for all: the slider has one value.
    static const QRegularExpression pattern(QStringLiteral("/\\s*([0-9]+)%"));
    const QRegularExpressionMatch match = pattern.match(QString::fromUtf8(output));
    if (!match.hasMatch())
        return std::nullopt;
    bool ok = false;
    const int percent = match.captured(1).toInt(&ok);
    return ok ? std::optional<int>(percent) : std::nullopt;
}
