// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QScreen;

// Whether a compositing manager runs, so that transparent window pixels show
// what lies below. Without one they paint black, and shaped windows must cut
// away what should not be seen.
namespace Compositor {
bool isActive(QScreen *screen);
}
