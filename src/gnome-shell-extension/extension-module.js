// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The entry for GNOME Shell 45 and later, which load extensions as modules.
import Clutter from 'gi://Clutter';
import Gio from 'gi://Gio';
import GLib from 'gi://GLib';
import Meta from 'gi://Meta';
import Shell from 'gi://Shell';
import * as Main from 'resource:///org/gnome/shell/ui/main.js';
import * as PointerWatcher from 'resource:///org/gnome/shell/ui/pointerWatcher.js';
import {Extension} from 'resource:///org/gnome/shell/extensions/extension.js';

import {BrivaneHover} from './hover.js';

export default class BrivaneExtension extends Extension {
    enable() {
        this._hover = new BrivaneHover({ Clutter, Gio, GLib, Meta, Shell, Main, PointerWatcher });
        this._hover.enable();
    }

    disable() {
        this._hover.disable();
        this._hover = null;
    }
}
