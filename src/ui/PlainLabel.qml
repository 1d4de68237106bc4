// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

import QtQuick
import Brivane

// Text the user reads: always plain (it may come from a player, a page or
// the clipboard) and always read out by assistive technology.
Text {
    textFormat: Text.PlainText
    color: Theme.white
    Accessible.role: Accessible.StaticText
    Accessible.name: text
}
