// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FileLauncher.h"

#include <QDesktopServices>

namespace FileLauncher {

bool open(const QUrl &file)
{
    // Only files: a stored web address must not start a browser from here.
    if (!file.isLocalFile())
        return false;
    return QDesktopServices::openUrl(file);
}

} // namespace FileLauncher
