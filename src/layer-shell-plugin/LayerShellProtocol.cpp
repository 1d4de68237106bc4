// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LayerShellProtocol.h"

#include <wayland-client-protocol.h>

namespace LayerShell {

namespace {

// Argument types of each message, in order; only new_id arguments need
// theirs, object arguments may name it for type checks.
const wl_interface *getLayerSurfaceTypes[]
    = { &surfaceInterface, &wl_surface_interface, &wl_output_interface, nullptr, nullptr };
const wl_interface *noTypes[] = { nullptr, nullptr, nullptr, nullptr };

// Signatures: a leading digit is the version a message appeared in; "?"
// marks a nullable argument.
const wl_message shellRequests[] = {
    { "get_layer_surface", "no?ous", getLayerSurfaceTypes },
    { "destroy", "3", noTypes },
};

const wl_message surfaceRequests[] = {
    { "set_size", "uu", noTypes },
    { "set_anchor", "u", noTypes },
    { "set_exclusive_zone", "i", noTypes },
    { "set_margin", "iiii", noTypes },
    { "set_keyboard_interactivity", "u", noTypes },
    { "get_popup", "o", noTypes },
    { "ack_configure", "u", noTypes },
    { "destroy", "", noTypes },
    { "set_layer", "2u", noTypes },
};

const wl_message surfaceEvents[] = {
    { "configure", "uuu", noTypes },
    { "closed", "", noTypes },
};

enum ShellRequest : uint32_t { GetLayerSurface = 0 };
enum SurfaceRequest : uint32_t {
    SetSize = 0,
    SetAnchor = 1,
    SetExclusiveZone = 2,
    SetKeyboardInteractivity = 4,
    AckConfigure = 6,
    DestroySurface = 7,
};

} // namespace

const wl_interface shellInterface = { "zwlr_layer_shell_v1", int(maxVersion), 2, shellRequests, 0, nullptr };
const wl_interface surfaceInterface
    = { "zwlr_layer_surface_v1", int(maxVersion), 9, surfaceRequests, 2, surfaceEvents };

wl_proxy *getLayerSurface(
    wl_proxy *shell, wl_surface *surface, wl_output *output, Layer layer, const char *nameSpace)
{
    return wl_proxy_marshal_flags(shell, GetLayerSurface, &surfaceInterface, wl_proxy_get_version(shell), 0,
        nullptr, surface, output, uint32_t(layer), nameSpace);
}

void setSize(wl_proxy *surface, uint32_t width, uint32_t height)
{
    wl_proxy_marshal_flags(surface, SetSize, nullptr, wl_proxy_get_version(surface), 0, width, height);
}

void setAnchor(wl_proxy *surface, uint32_t anchor)
{
    wl_proxy_marshal_flags(surface, SetAnchor, nullptr, wl_proxy_get_version(surface), 0, anchor);
}

void setExclusiveZone(wl_proxy *surface, int32_t zone)
{
    wl_proxy_marshal_flags(surface, SetExclusiveZone, nullptr, wl_proxy_get_version(surface), 0, zone);
}

void setKeyboardInteractivity(wl_proxy *surface, Keyboard keyboard)
{
    // Never what the compositor's version lacks: a protocol error ends the
    // connection.
    if (keyboard == KeyboardOnDemand && wl_proxy_get_version(surface) < 4)
        keyboard = KeyboardNone;
    wl_proxy_marshal_flags(
        surface, SetKeyboardInteractivity, nullptr, wl_proxy_get_version(surface), 0, uint32_t(keyboard));
}

void ackConfigure(wl_proxy *surface, uint32_t serial)
{
    wl_proxy_marshal_flags(surface, AckConfigure, nullptr, wl_proxy_get_version(surface), 0, serial);
}

void destroySurface(wl_proxy *surface)
{
    wl_proxy_marshal_flags(
        surface, DestroySurface, nullptr, wl_proxy_get_version(surface), WL_MARSHAL_FLAG_DESTROY);
}

} // namespace LayerShell
