// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <mutex>
#include <optional>

// The system's output volume. Calls block until the tool exits (3 s at most):
// call them from a worker thread only.
class VolumeControl
{
public:
    virtual ~VolumeControl() = default;
    // Whether a volume tool exists here.
    virtual bool available() = 0;
    virtual void setPercent(int percent) = 0;
    // The default output's volume in percent, when it can be read.
    virtual std::optional<int> readPercent() = 0;
};

// wpctl (PipeWire), else pactl (PulseAudio): whichever exists, checked once.
class SystemVolume : public VolumeControl
{
public:
    static constexpr int kTimeoutMs = 3000;

    bool available() override;
    void setPercent(int percent) override;
    std::optional<int> readPercent() override;

    // "Volume: 0.40" (wpctl get-volume), possibly followed by " [MUTED]".
    static std::optional<int> parseWpctl(const QByteArray &output);
    // "Volume: front-left: 26214 /  40% / -23.88 dB, ..." (pactl get-sink-volume).
    static std::optional<int> parsePactl(const QByteArray &output);

private:
    enum class Tool { None, Wpctl, Pactl };
    Tool tool();

    std::once_flag m_once;
    Tool m_tool = Tool::None;
};
