// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// Looks at the Wayland compositor before Qt connects to it, so that Brivane
// can choose how its panel reaches the screen.
namespace WaylandProbe {

// Whether the compositor at $WAYLAND_DISPLAY advertises the global; false
// when there is none or it does not answer within timeoutMs.
bool advertises(const char *interface, int timeoutMs = 1000);

// Brivane's own Qt plugin folder (holding wayland-shell-integration/), next
// to the program as built or as installed. Empty, with the reason in
// *whyNot, when there is none, when Qt's own Wayland shell integration is
// missing, or when the plugin was built for another Qt than the one running:
// it uses Qt's private interfaces, which change from version to version.
QString pluginDirectory(QByteArray *whyNot);

} // namespace WaylandProbe
