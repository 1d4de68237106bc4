// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QUrl>

// Opens a local file with the desktop's default application for its type
// (its portal or xdg-open, as Qt finds them); never through a shell.
namespace FileLauncher {

// False when the URL is not a local file or nothing would open it.
bool open(const QUrl &file);

} // namespace FileLauncher
