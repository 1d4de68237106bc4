// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Turns SIGTERM, SIGINT and SIGHUP into an orderly quit of the event loop,
// so that queued preference writes reach the disk at logout.
namespace UnixSignals {
void quitOnTermination();
}
