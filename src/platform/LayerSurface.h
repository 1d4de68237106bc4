// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QWindow;

// Brivane's strip as a layer surface over the top edge, on Wayland
// compositors with the layer shell. Where this build has KDE's LayerShellQt,
// the library makes the surface for the one window asked for and Qt's
// xdg-shell keeps every other; elsewhere Brivane's own shell-integration
// plugin reads the same wishes from the window's properties. Off Wayland,
// every call does nothing.
namespace LayerSurface {

enum class Keyboard { None, OnDemand, Exclusive };

// Whether layer surfaces come from KDE's LayerShellQt in this build.
bool fromLibrary();

// Makes window a layer surface when it is next mapped: centred on the top
// edge of its screen, on the overlay layer, taking no keys.
void attach(QWindow *window);

// How the surface takes the keyboard: not at all (the collapsed strip), when
// clicked (a card opened by hover: clicked() then hands it over), or at once
// (opened from the keyboard).
void setKeyboard(QWindow *window, Keyboard keyboard);

// The card opened by hover was clicked: it takes the keyboard now, until it
// stops taking keys. Brivane's own plugin sees the click itself.
void clicked(QWindow *window);

// Whether full-screen windows cover the surface: the top layer, which
// compositors draw under them ("Hide over full-screen apps"), or the overlay
// layer, above everything (the default).
void setBelowFullScreen(QWindow *window, bool below);

// Whether the compositor took the surface away with the last output, leaving
// the window hidden until it is placed on a screen again; asking clears it.
bool takeLost(QWindow *window);

} // namespace LayerSurface
