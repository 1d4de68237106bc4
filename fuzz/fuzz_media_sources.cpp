// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// libFuzzer harness for what the player and browser scripts print: any output
// (a player query's "|||" fields, a tab scan's title and label) parses without
// a crash into a track with the fields the store relies on.
#include "media/MediaSources.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace {

bool finiteOrNone(const std::optional<double> &value)
{
    return !value || std::isfinite(*value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace MediaSources;
    const QString output = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));

    for (const QString &label : { QStringLiteral("Music"), QStringLiteral("Spotify") }) {
        if (const auto update = parsePlayerOutput(output, label)) {
            if (update->title.isEmpty() || update->appName != label || !update->duration || !update->elapsed
                || !finiteOrNone(update->duration) || !finiteOrNone(update->elapsed))
                __builtin_trap();
        }
    }

    if (const auto update = parseTabOutput(output)) {
        if (update->kind != TrackUpdate::Kind::Browser || !update->isPlaying || update->duration
            || update->elapsed)
            __builtin_trap();
        isBrowserLabel(update->appName);
    }

    // The pieces the art route reads from script output.
    const auto number = readNumber(output);
    if (!finiteOrNone(number))
        __builtin_trap();
    if (const auto id = videoId(output); id && id->contains(QLatin1Char('&')))
        __builtin_trap();
    cleanTabTitle(output);
    repairArtUrl(output);
    return 0;
}
