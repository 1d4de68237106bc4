// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Brivane in GNOME Shell.
//
// The top bar covers the screen's top edge, and the shell does not tell an
// X11 window when the pointer leaves it for the shell's own chrome or for a
// Wayland window. So this extension owns a one-pixel hot zone at the centre
// of the top bar and another over Brivane's strip below it, watches the
// pointer while Brivane's card is open, and asks Brivane over the session bus
// to expand and to collapse. It also keeps
// Brivane's window just below the top bar, above other windows, on every
// workspace, and gives the keyboard back to the window that had it when the
// card closes, which Brivane cannot do for a native Wayland window.
//
// Brivane's keyboard shortcut is one of the shell's own key bindings here,
// since the shell takes every key before an X11 client could grab it.
//
// Nothing runs while Brivane is not on the bus, and nothing polls while the
// card is closed. Only Brivane's own process is listened to, and only its
// own window is adopted: any X11 client could claim the same window class.
//
// This file is the same for every shell version; the shell's modules come in
// through the constructor, from the entry that matches the shell's way of
// loading extensions (extension-legacy.js for 43 and 44, extension-module.js
// for 45 and later).
'use strict';

let Clutter, Gio, GLib, Meta, Shell, Main, PointerWatcher;

const BUS_NAME = 'org.brivane.Brivane';
const OBJECT_PATH = '/org/brivane/Brivane/Shell';
const INTERFACE = 'org.brivane.Brivane.Shell';

// Brivane's strip and card, in the shell's logical pixels.
const ZONE_WIDTH = 380;
const STRIP_HEIGHT = 32;
// How often the pointer is read while the card is open.
const WATCH_INTERVAL_MS = 15;

// The card is the one X11 window Brivane names (with a strip on several
// monitors it has several); the shell describes an X11 window by its id
// ("0x2a00003" or "0x2a00003 (title)").
function isBrivaneCard(window, pid, xid) {
    const wmClass = (window.get_wm_class() || '').toLowerCase();
    const instance = (window.get_wm_class_instance() || '').toLowerCase();
    return pid > 0 && xid > 0 && window.get_pid() === pid && (wmClass === 'brivane' || instance === 'brivane') &&
        parseInt(window.get_description() || '', 16) === xid;
}

var BrivaneHover = class BrivaneHover {
    constructor(modules) {
        ({ Clutter, Gio, GLib, Meta, Shell, Main, PointerWatcher } = modules);
    }

    enable() {
        this._zone = null;
        this._window = null;
        this._windowSignals = [];
        this._watch = null;
        this._entered = false;
        this._expanded = false;
        this._focusBefore = null;
        this._expandedSignal = 0;
        this._action = Meta.KeyBindingAction.NONE;
        this._openedByKey = false;
        this._owner = null;
        this._pid = 0;
        this._xid = 0;
        this._nameWatch = Gio.bus_watch_name(Gio.BusType.SESSION, BUS_NAME, Gio.BusNameWatcherFlags.NONE,
            (connection, name, owner) => this._ownerFound(owner), () => this._brivaneVanished());
    }

    disable() {
        Gio.bus_unwatch_name(this._nameWatch);
        this._nameWatch = 0;
        this._brivaneVanished();
    }

    // The bus tells which process owns Brivane's name; only that process's
    // window is Brivane's.
    _ownerFound(owner) {
        this._brivaneVanished();
        this._owner = owner;
        Gio.DBus.session.call('org.freedesktop.DBus', '/org/freedesktop/DBus', 'org.freedesktop.DBus',
            'GetConnectionUnixProcessID', new GLib.Variant('(s)', [owner]), new GLib.VariantType('(u)'),
            Gio.DBusCallFlags.NONE, -1, null, (connection, result) => {
                try {
                    const [pid] = connection.call_finish(result).deep_unpack();
                    if (this._owner === owner) {
                        this._pid = pid;
                        this._askCardWindow(owner);
                    }
                } catch (e) {
                    console.warn(`Brivane: cannot tell its process: ${e.message}`);
                }
            });
    }

    _askCardWindow(owner) {
        Gio.DBus.session.call(owner, OBJECT_PATH, INTERFACE, 'CardWindow', null, new GLib.VariantType('(u)'),
            Gio.DBusCallFlags.NO_AUTO_START, -1, null, (connection, result) => {
                try {
                    const [xid] = connection.call_finish(result).deep_unpack();
                    if (this._owner === owner) {
                        this._xid = xid;
                        this._brivaneAppeared();
                    }
                } catch (e) {
                    console.warn(`Brivane: cannot tell its card: ${e.message}`);
                }
            });
    }

    // A signal counts only from the process that owns Brivane's name now.
    _fromBrivane(sender) {
        return this._owner !== null && sender === this._owner;
    }

    // Follows one of Brivane's signals, from its current owner only.
    _onBrivaneSignal(name, handler) {
        return Gio.DBus.session.signal_subscribe(BUS_NAME, INTERFACE, name, OBJECT_PATH, null,
            Gio.DBusSignalFlags.NONE, (connection, sender, path, iface, signal, parameters) => {
                if (this._fromBrivane(sender))
                    handler(parameters.deep_unpack()[0]);
            });
    }

    _brivaneAppeared() {
        if (this._zone)
            return;
        const makeZone = name => {
            const zone = new Clutter.Actor({ name, reactive: true });
            zone.connect('enter-event', () => {
                if (!Main.overview.visible)
                    this._request('Expand');
                return Clutter.EVENT_PROPAGATE;
            });
            Main.layoutManager.addTopChrome(zone);
            return zone;
        };
        this._zone = makeZone('brivane-hot-zone');
        // Over the collapsed strip, so that the shell alone decides; it hides
        // while the card is open, so the card gets its clicks.
        this._stripZone = makeZone('brivane-strip-zone');
        this._stripZone.hide();
        this._placeZone();

        this._expandedSignal = this._onBrivaneSignal('ExpandedChanged', expanded => this._setExpanded(expanded));
        this._shortcutSignal = this._onBrivaneSignal('ShortcutChanged',
            accelerator => this._bindShortcut(accelerator));
        this._acceleratorSignal = global.display.connect('accelerator-activated', (display, action) => {
            if (action !== Meta.KeyBindingAction.NONE && action === this._action) {
                this._openedByKey = !this._expanded;
                // Brivane, under XWayland, cannot tell which monitor is in use.
                const monitor = Main.layoutManager.currentMonitor;
                this._call('ToggleAt', new GLib.Variant('(ii)', monitor
                    ? [monitor.x + Math.floor(monitor.width / 2), monitor.y + Math.floor(monitor.height / 2)]
                    : [0, 0]));
            }
        });
        Gio.DBus.session.call(this._owner, OBJECT_PATH, INTERFACE, 'Shortcut', null, new GLib.VariantType('(s)'),
            Gio.DBusCallFlags.NO_AUTO_START, -1, null, (connection, result) => {
                try {
                    const [accelerator] = connection.call_finish(result).deep_unpack();
                    this._bindShortcut(accelerator);
                } catch (e) {
                    console.warn(`Brivane: no shortcut: ${e.message}`);
                }
            });
        this._focusChanged = global.display.connect('notify::focus-window', () => this._focusMoved());
        this._monitorsChanged = Main.layoutManager.connect('monitors-changed', () => this._placeAll());
        this._workAreasChanged = global.display.connect('workareas-changed', () => this._placeWindow());
        this._windowCreated = global.display.connect('window-created', (display, window) => this._adopt(window));
        for (const actor of global.get_window_actors())
            this._adopt(actor.meta_window);
    }

    _brivaneVanished() {
        this._owner = null;
        this._pid = 0;
        this._xid = 0;
        if (!this._zone)
            return;
        this._setExpanded(false);
        this._release();
        this._focusBefore = null;
        Gio.DBus.session.signal_unsubscribe(this._expandedSignal);
        Gio.DBus.session.signal_unsubscribe(this._shortcutSignal);
        global.display.disconnect(this._acceleratorSignal);
        this._unbindShortcut();
        global.display.disconnect(this._focusChanged);
        Main.layoutManager.disconnect(this._monitorsChanged);
        global.display.disconnect(this._workAreasChanged);
        global.display.disconnect(this._windowCreated);
        this._zone.destroy();
        this._zone = null;
        this._stripZone.destroy();
        this._stripZone = null;
    }

    _request(method) {
        this._openedByKey = false;
        this._setExpanded(method === 'Expand');
        this._call(method, null);
    }

    _call(method, parameters) {
        Gio.DBus.session.call(this._owner, OBJECT_PATH, INTERFACE, method, parameters, null,
            Gio.DBusCallFlags.NO_AUTO_START, -1, null, (connection, result) => {
                try {
                    connection.call_finish(result);
                } catch (e) {
                    console.warn(`Brivane: ${method} failed: ${e.message}`);
                }
            });
    }

    // Binds Brivane's shortcut, and tells Brivane whether the shell could:
    // another binding may hold the same keys.
    _bindShortcut(accelerator) {
        this._unbindShortcut();
        let grabbed = false;
        if (accelerator) {
            const action = global.display.grab_accelerator(accelerator, Meta.KeyBindingFlags.NONE);
            grabbed = action !== Meta.KeyBindingAction.NONE;
            if (grabbed) {
                this._action = action;
                Main.wm.allowKeybinding(Meta.external_binding_name_for_action(action),
                    Shell.ActionMode.NORMAL | Shell.ActionMode.OVERVIEW | Shell.ActionMode.POPUP);
            }
        }
        this._call('ShortcutGrabbed', new GLib.Variant('(sb)', [accelerator, grabbed]));
    }

    _unbindShortcut() {
        if (this._action === Meta.KeyBindingAction.NONE)
            return;
        Main.wm.allowKeybinding(Meta.external_binding_name_for_action(this._action), Shell.ActionMode.NONE);
        global.display.ungrab_accelerator(this._action);
        this._action = Meta.KeyBindingAction.NONE;
    }

    _placeAll() {
        this._placeZone();
        this._placeWindow();
    }

    // The monitor Brivane put its card on: the primary, or the one chosen
    // in its settings.
    _monitorIndex() {
        const index = this._window ? this._window.get_monitor() : -1;
        return index >= 0 ? index : Main.layoutManager.primaryIndex;
    }

    _monitor() {
        return Main.layoutManager.monitors[this._monitorIndex()] || null;
    }

    _placeZone() {
        const monitor = this._monitor();
        if (!this._zone || !monitor)
            return;
        this._zone.set_position(monitor.x + Math.floor((monitor.width - ZONE_WIDTH) / 2), monitor.y);
        this._zone.set_size(ZONE_WIDTH, 1);
    }

    _adopt(window) {
        if (this._window || !isBrivaneCard(window, this._pid, this._xid))
            return;
        this._window = window;
        this._windowSignals = [
            window.connect('position-changed', () => this._placeAll()),
            window.connect('unmanaged', () => this._release()),
        ];
        window.make_above();
        window.stick();
        this._placeZone();
        this._placeWindow();
    }

    _release() {
        if (!this._window)
            return;
        this._stripZone.hide();
        for (const id of this._windowSignals)
            this._window.disconnect(id);
        this._windowSignals = [];
        this._window = null;
    }

    _target() {
        const index = this._monitorIndex();
        const monitor = this._monitor();
        if (!this._window || !monitor || index < 0)
            return null;
        const frame = this._window.get_frame_rect();
        const workArea = Main.layoutManager.getWorkAreaForMonitor(index);
        return { x: monitor.x + Math.floor((monitor.width - frame.width) / 2), y: workArea.y, frame };
    }

    _placeWindow() {
        const target = this._target();
        if (!target)
            return;
        // Comparing first keeps the move from answering itself.
        if (target.frame.x !== target.x || target.frame.y !== target.y)
            this._window.move_frame(false, target.x, target.y);
        this._stripZone.set_position(target.x, target.y);
        this._stripZone.set_size(ZONE_WIDTH, STRIP_HEIGHT);
        this._stripZone.visible = !this._expanded;
    }

    _setExpanded(expanded) {
        if (expanded === this._expanded)
            return;
        this._expanded = expanded;
        if (this._stripZone && this._window)
            this._stripZone.visible = !expanded;
        if (expanded) {
            // Opened from the keyboard, the card takes it; the shell would
            // not let an X11 window take it by itself.
            if (this._openedByKey && this._window)
                this._window.activate(global.get_current_time());
            // Opened from the strip, the pointer is in the card already.
            const [x, y] = global.get_pointer();
            this._entered = this._inCard(x, y);
            this._watch = PointerWatcher.getPointerWatcher().addWatch(WATCH_INTERVAL_MS,
                (x, y) => this._pointerMoved(x, y));
        } else {
            this._watch.remove();
            this._watch = null;
            this._focusMoved();
        }
    }

    // Remembers who had the keyboard before the card, and hands it back if
    // the card still has it, or gets it late, once closed.
    _focusMoved() {
        const focus = global.display.focus_window;
        if (focus && focus !== this._window) {
            this._focusBefore = focus;
        } else if (focus && !this._expanded && this._focusBefore &&
                   this._focusBefore.get_compositor_private() !== null) {
            this._focusBefore.activate(global.get_current_time());
        }
    }

    _card() {
        if (this._window)
            return this._window.get_frame_rect();
        return { x: this._zone.x, y: this._zone.y, width: ZONE_WIDTH, height: 1 };
    }

    _inCard(x, y) {
        const card = this._card();
        return x >= card.x && x < card.x + card.width && y >= card.y && y < card.y + card.height;
    }

    // The card stays open while the pointer is over it and, until it first
    // gets there, over the column between the hot zone and the card's top
    // edge, which it crosses on the way down.
    _pointerMoved(x, y) {
        const monitor = this._monitor();
        if (!monitor)
            return;
        if (this._inCard(x, y)) {
            this._entered = true;
            return;
        }
        // Opened from the keyboard, the card waits for the pointer to come.
        if (!this._entered && this._openedByKey)
            return;
        const card = this._card();
        const inColumn = x >= card.x && x < card.x + card.width;
        if (inColumn && !this._entered && y >= monitor.y && y < card.y)
            return;
        this._request('Collapse');
    }
};
