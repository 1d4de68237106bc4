// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// Plays freedesktop sound-theme events. Playing is fire and forget: when no
// sound can be played (no sound server, no theme) nothing else happens.
class Sound
{
public:
    // Returns whether the event was handed to the sound server.
    static bool playEvent(const QString &eventId);
};
