// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LayerSurface.h"

#include <QGuiApplication>
#include <QWindow>

#if BRIVANE_HAVE_LAYERSHELLQT
#include <LayerShellQt/Window>
#endif

namespace LayerSurface {

namespace {

// What Brivane's own plugin reads (src/layer-shell-plugin/).
const char *const kLayerProperty = "brivaneLayerSurface";
const char *const kKeyboardProperty = "brivaneTakesKeyboard";
const char *const kTopLayerProperty = "brivaneTopLayer";
const char *const kSurfaceLostProperty = "brivaneSurfaceLost";

[[maybe_unused]] bool onWayland()
{
    return QGuiApplication::platformName() == QLatin1String("wayland");
}

} // namespace

bool fromLibrary()
{
    return BRIVANE_HAVE_LAYERSHELLQT;
}

void attach(QWindow *window)
{
    window->setProperty(kLayerProperty, true);
#if BRIVANE_HAVE_LAYERSHELLQT
    if (!onWayland())
        return;
    auto *surface = LayerShellQt::Window::get(window);
    surface->setScope(QStringLiteral("brivane"));
    surface->setLayer(LayerShellQt::Window::LayerOverlay);
    surface->setAnchors(LayerShellQt::Window::AnchorTop);
    // Other surfaces' exclusive zones (panels) do not push it down, and it
    // reserves none itself.
    surface->setExclusiveZone(-1);
    surface->setKeyboardInteractivity(LayerShellQt::Window::KeyboardInteractivityNone);
    // An output that goes away takes the surface with it; Brivane maps the
    // window again on a screen that is there, rather than have it closed.
    surface->setCloseOnDismissed(false);
#endif
}

void setKeyboard(QWindow *window, Keyboard keyboard)
{
    // The plugin takes "none" from Qt::WindowDoesNotAcceptFocus, which the
    // panel sets itself; the property tells on demand from at once.
    window->setProperty(kKeyboardProperty, keyboard == Keyboard::Exclusive);
#if BRIVANE_HAVE_LAYERSHELLQT
    if (!onWayland())
        return;
    // "When clicked" waits for the click itself (see clicked()): KWin 6
    // hands an on-demand surface the keyboard as soon as it is shown.
    using LS = LayerShellQt::Window;
    const LS::KeyboardInteractivity mode = keyboard == Keyboard::Exclusive
        ? LS::KeyboardInteractivityExclusive
        : LS::KeyboardInteractivityNone;
    LS::get(window)->setKeyboardInteractivity(mode);
#endif
}

bool takeLost(QWindow *window)
{
    const bool lost = window->property(kSurfaceLostProperty).toBool();
    window->setProperty(kSurfaceLostProperty, QVariant());
    return lost;
}

void clicked([[maybe_unused]] QWindow *window)
{
#if BRIVANE_HAVE_LAYERSHELLQT
    if (onWayland()
        && LayerShellQt::Window::get(window)->keyboardInteractivity()
            == LayerShellQt::Window::KeyboardInteractivityNone)
        LayerShellQt::Window::get(window)->setKeyboardInteractivity(
            LayerShellQt::Window::KeyboardInteractivityExclusive);
#endif
}

void setBelowFullScreen(QWindow *window, bool below)
{
    if (window->property(kTopLayerProperty).toBool() == below)
        return;
    window->setProperty(kTopLayerProperty, below);
    if (!onWayland())
        return;
#if BRIVANE_HAVE_LAYERSHELLQT
    LayerShellQt::Window::get(window)->setLayer(
        below ? LayerShellQt::Window::LayerTop : LayerShellQt::Window::LayerOverlay);
#else
    // The plugin reads the layer when it makes the surface: it is made anew.
    if (window->isVisible()) {
        window->hide();
        window->show();
    }
#endif
}

} // namespace LayerSurface
