// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <wayland-client-core.h>

struct wl_output;
struct wl_surface;

// The client side of the wlr layer-shell protocol (zwlr_layer_shell_v1,
// version 4): the interface tables libwayland marshals with, and the few
// requests and events the panel uses.
namespace LayerShell {

extern const wl_interface shellInterface; // zwlr_layer_shell_v1
extern const wl_interface surfaceInterface; // zwlr_layer_surface_v1

constexpr uint32_t maxVersion = 4;

enum Layer : uint32_t { Background = 0, Bottom = 1, Top = 2, Overlay = 3 };
enum Anchor : uint32_t { AnchorTop = 1, AnchorBottom = 2, AnchorLeft = 4, AnchorRight = 8 };
// OnDemand is version 4; earlier compositors know only none and exclusive.
enum Keyboard : uint32_t { KeyboardNone = 0, KeyboardExclusive = 1, KeyboardOnDemand = 2 };

struct SurfaceListener
{
    void (*configure)(void *data, wl_proxy *surface, uint32_t serial, uint32_t width, uint32_t height);
    void (*closed)(void *data, wl_proxy *surface);
};

wl_proxy *getLayerSurface(
    wl_proxy *shell, wl_surface *surface, wl_output *output, Layer layer, const char *nameSpace);

void setSize(wl_proxy *surface, uint32_t width, uint32_t height);
void setAnchor(wl_proxy *surface, uint32_t anchor);
void setExclusiveZone(wl_proxy *surface, int32_t zone);
void setKeyboardInteractivity(wl_proxy *surface, Keyboard keyboard);
void ackConfigure(wl_proxy *surface, uint32_t serial);
void destroySurface(wl_proxy *surface);

} // namespace LayerShell
