// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Session.h"

#include "LayerSurface.h"
#include "WaylandProbe.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace {

const QByteArray kLayerShellOffered("the compositor has the layer shell");

// Whether the strip was set to be a layer surface, for the line said at start.
bool g_layerSurfaceChosen = false;

Session::Desktop desktopNamed(const QByteArray &name)
{
    const QList<QByteArray> desktops = name.toUpper().split(':');
    if (desktops.contains("KDE"))
        return Session::Desktop::Kde;
    if (desktops.contains("GNOME"))
        return Session::Desktop::Gnome;
    if (desktops.contains("SWAY"))
        return Session::Desktop::Sway;
    return Session::Desktop::Other;
}

} // namespace

QByteArray Session::choosePlatform()
{
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    const bool x11 = !qEnvironmentVariableIsEmpty("DISPLAY");
    if (wayland) {
        QByteArray missing;
        const QString plugins
            = LayerSurface::fromLibrary() ? QString() : WaylandProbe::pluginDirectory(&missing);
        const bool canMake = LayerSurface::fromLibrary() || !plugins.isEmpty();
        if (canMake && WaylandProbe::advertises("zwlr_layer_shell_v1")) {
            // X11 stays behind it, should Qt's Wayland platform fail to load.
            qputenv("QT_QPA_PLATFORM", x11 ? "wayland;xcb" : "wayland");
            if (!LayerSurface::fromLibrary()) {
                qputenv("QT_WAYLAND_SHELL_INTEGRATION", "brivane-layer-shell");
                QCoreApplication::addLibraryPath(plugins);
            }
            g_layerSurfaceChosen = true;
            return kLayerShellOffered;
        }
        if (!x11)
            return "there is no XWayland to fall back to";
        qputenv("QT_QPA_PLATFORM", "xcb");
        return canMake ? QByteArray("the compositor offers no zwlr_layer_shell_v1") : missing;
    }
    // The panel relies on window masks and global pointer crossing, which
    // the X11 backend provides.
    if (x11)
        qputenv("QT_QPA_PLATFORM", "xcb");
    return QByteArray();
}

Session Session::current()
{
    return Session(qgetenv("XDG_CURRENT_DESKTOP"), QGuiApplication::platformName(),
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"), !qEnvironmentVariableIsEmpty("SWAYSOCK"));
}

Session::Session(
    const QByteArray &desktopName, const QString &platformName, bool waylandDisplay, bool swaySocket)
    : m_desktopName(desktopName)
    , m_desktop(desktopNamed(desktopName))
    , m_platform(platformName)
    , m_waylandDisplay(waylandDisplay)
    , m_swaySocket(swaySocket)
{
}

GlobalShortcut::Backend Session::shortcutBackend(bool shellExtensionOn) const
{
    if (m_desktop == Desktop::Kde)
        return GlobalShortcut::Backend::KdeService;
    if (m_desktop == Desktop::Gnome && shellExtensionOn)
        return GlobalShortcut::Backend::Shell;
    // An X11 grab reaches every X11 client's keys; under a Wayland
    // compositor XWayland sees only the keys of its own windows.
    if (x11() && !m_waylandDisplay)
        return GlobalShortcut::Backend::X11;
    return GlobalShortcut::Backend::None;
}

ActiveScreen::Source Session::activeScreenSource() const
{
    // On X11 the pointer tells; a native Wayland client learns nothing of
    // it outside its own surfaces, so the compositor is asked.
    if (m_platform != QLatin1String("wayland"))
        return ActiveScreen::Source::Pointer;
    if (m_desktop == Desktop::Kde)
        return ActiveScreen::Source::KWin;
    if (m_swaySocket)
        return ActiveScreen::Source::Sway;
    return ActiveScreen::Source::Pointer;
}

QByteArray Session::startLine(const QByteArray &why) const
{
    // Where the session does not name its desktop, the phrase is left out.
    const QByteArray &desktop = m_desktopName;
    const QByteArray of = desktop.isEmpty() ? QByteArray() : " of " + desktop;
    const QByteArray on = desktop.isEmpty() ? QByteArray(" a") : " " + desktop;
    const QByteArray reason
        = x11() && why == kLayerShellOffered ? QByteArray("Qt's Wayland platform did not start") : why;
    const QByteArray because = reason.isEmpty() ? QByteArray() : " (" + reason + ')';
    if (underXWayland())
        return "Brivane: the strip is an X11 window through XWayland on" + on
            + " Wayland session; the compositor places it and follows the pointer for it" + because + '.';
    if (x11())
        return "Brivane: the strip is an X11 window under the window manager" + of + '.';
    if (m_platform == QLatin1String("wayland") && g_layerSurfaceChosen)
        return "Brivane: the strip is a layer surface over the top edge of" + on + " Wayland session"
            + because + '.';
    return "Brivane: the strip is a window of the " + m_platform.toUtf8() + " platform" + because + '.';
}
