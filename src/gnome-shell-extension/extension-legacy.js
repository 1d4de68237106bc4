// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The entry for GNOME Shell 43 and 44, which load extensions as scripts.
'use strict';

const { Clutter, Gio, GLib, Meta, Shell } = imports.gi;
const Me = imports.misc.extensionUtils.getCurrentExtension();

function init() {
    return new Me.imports.hover.BrivaneHover({
        Clutter, Gio, GLib, Meta, Shell, Main: imports.ui.main, PointerWatcher: imports.ui.pointerWatcher,
    });
}
