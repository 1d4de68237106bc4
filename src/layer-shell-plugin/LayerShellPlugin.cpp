// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A shell integration for Qt's Wayland platform that makes Brivane's panel a
// layer surface (wlr layer shell) on the overlay layer, anchored to the top
// edge, and hands every other window to Qt's own xdg-shell integration, so
// that the settings window stays an ordinary titled window.
//
// Qt picks one shell integration per process; Brivane selects this one only
// when the compositor advertises the layer shell.

#include "LayerShellProtocol.h"

#include <QDateTime>
#include <QGuiApplication>
#include <QWindow>
#include <QtWaylandClient/private/qwaylandshellintegration_p.h>
#include <QtWaylandClient/private/qwaylandshellintegrationfactory_p.h>
#include <QtWaylandClient/private/qwaylandshellintegrationplugin_p.h>
#include <QtWaylandClient/private/qwaylandshellsurface_p.h>
#include <QtWaylandClient/private/qwaylandwindow_p.h>
#include <cstring>
#include <memory>
#include <qpa/qplatformnativeinterface.h>
#include <wayland-client.h>

using namespace QtWaylandClient;

namespace {

// The property Brivane sets on the window that is to be the panel.
const char *const kLayerProperty = "brivaneLayerSurface";
// Set while the panel was opened from the keyboard, which it then takes.
const char *const kKeyboardProperty = "brivaneTakesKeyboard";
// Set while full-screen windows should cover the panel: the top layer.
const char *const kTopLayerProperty = "brivaneTopLayer";
// Set when the compositor took the surface and no output was left to show
// it on again; Brivane shows the panel once a screen comes back.
const char *const kSurfaceLostProperty = "brivaneSurfaceLost";
// When the surface was last made anew after the compositor took it.
const char *const kRemadeAtProperty = "brivaneSurfaceRemadeAt";

class LayerSurface : public QWaylandShellSurface
{
public:
    LayerSurface(wl_proxy *shell, QWaylandWindow *window)
        : QWaylandShellSurface(window)
    {
        // On the output of the window's screen: Brivane places one strip on
        // each monitor it is shown on.
        QScreen *screen = window->window()->screen();
        auto *output = screen
            ? static_cast<wl_output *>(
                QGuiApplication::platformNativeInterface()->nativeResourceForScreen("output", screen))
            : nullptr;
        const auto layer
            = window->window()->property(kTopLayerProperty).toBool() ? LayerShell::Top : LayerShell::Overlay;
        m_surface = LayerShell::getLayerSurface(shell, wlSurface(), output, layer, "brivane");
        static const LayerShell::SurfaceListener listener
            = { &LayerSurface::configured, &LayerSurface::closed };
        wl_proxy_add_listener(m_surface,
            reinterpret_cast<void (**)(void)>(const_cast<LayerShell::SurfaceListener *>(&listener)), this);
        // Centred on the top edge; other surfaces' exclusive zones (panels)
        // do not push it down, and it reserves none itself.
        LayerShell::setAnchor(m_surface, LayerShell::AnchorTop);
        LayerShell::setExclusiveZone(m_surface, -1);
        m_size = window->window()->geometry().size();
        LayerShell::setSize(m_surface, uint32_t(m_size.width()), uint32_t(m_size.height()));
        window->window()->installEventFilter(this);
        setWindowFlags(window->window()->flags());
        // The first commit, without a buffer, asks for the first configure.
        wl_surface_commit(wlSurface());
    }

    ~LayerSurface() override { LayerShell::destroySurface(m_surface); }

    bool isExposed() const override { return m_configured; }

    // A window that takes no focus (the collapsed strip) takes no keys; the
    // open card gets them when it is clicked, or at once when it was opened
    // from the keyboard, and the compositor gives them back when the card
    // stops taking them.
    void setWindowFlags(Qt::WindowFlags flags) override
    {
        m_wish = LayerShell::KeyboardNone;
        if (!flags.testFlag(Qt::WindowDoesNotAcceptFocus))
            m_wish = window()->window()->property(kKeyboardProperty).toBool() ? LayerShell::KeyboardExclusive
                                                                              : LayerShell::KeyboardOnDemand;
        if (m_wish != LayerShell::KeyboardOnDemand)
            m_clicked = false;
        applyKeyboard();
    }

    // A card opened by hover takes no keys until it is clicked: before
    // version 4 there is no "when clicked", and some compositors (sway 1.7)
    // hand the keyboard to any on-demand surface of the top layers as soon
    // as it maps. The click then takes the keyboard at once, and from
    // version 4 on, lets it go again as on demand.
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonPress && m_wish == LayerShell::KeyboardOnDemand
            && !m_clicked) {
            m_clicked = true;
            applyKeyboard(LayerShell::KeyboardExclusive);
            if (wl_proxy_get_version(m_surface) >= 4)
                applyKeyboard(LayerShell::KeyboardOnDemand);
        }
        return QWaylandShellSurface::eventFilter(watched, event);
    }

    void setWindowGeometry(const QRect &rect) override
    {
        if (rect.size() == m_size || rect.isEmpty())
            return;
        m_size = rect.size();
        LayerShell::setSize(m_surface, uint32_t(m_size.width()), uint32_t(m_size.height()));
    }

    void applyConfigure() override { resizeFromApplyConfigure(m_pendingSize); }

private:
    void applyKeyboard()
    {
        applyKeyboard(
            m_wish != LayerShell::KeyboardOnDemand || m_clicked ? m_wish : LayerShell::KeyboardNone);
    }
    void applyKeyboard(LayerShell::Keyboard keyboard)
    {
        if (keyboard == LayerShell::KeyboardOnDemand && wl_proxy_get_version(m_surface) < 4)
            keyboard = LayerShell::KeyboardExclusive;
        if (keyboard == m_keyboard)
            return;
        m_keyboard = keyboard;
        LayerShell::setKeyboardInteractivity(m_surface, keyboard);
        if (m_configured)
            wl_surface_commit(wlSurface());
    }

    static void configured(void *data, wl_proxy *, uint32_t serial, uint32_t width, uint32_t height)
    {
        auto *self = static_cast<LayerSurface *>(data);
        LayerShell::ackConfigure(self->m_surface, serial);
        // Zero leaves the size to us.
        self->m_pendingSize
            = QSize(width ? int(width) : self->m_size.width(), height ? int(height) : self->m_size.height());
        if (!self->m_configured) {
            self->m_configured = true;
            self->window()->resizeFromApplyConfigure(self->m_pendingSize);
            self->window()->handleExpose(QRect(QPoint(), self->m_pendingSize));
        } else {
            self->applyConfigureWhenPossible();
        }
    }

    static void closed(void *data, wl_proxy *)
    {
        // The compositor took the surface away, with the output it was on:
        // the window comes back as a new surface on an output that is there.
        // With none left (Qt's placeholder screen has no output), or when the
        // new surface is taken away at once again, it waits hidden for the
        // panel to be placed on a screen that comes back.
        auto *self = static_cast<LayerSurface *>(data);
        QWindow *w = self->window()->window();
        if (!w)
            return;
        QMetaObject::invokeMethod(
            w,
            [w] {
                QScreen *screen = w->screen();
                const bool onOutput = screen
                    && QGuiApplication::platformNativeInterface()->nativeResourceForScreen("output", screen);
                const qint64 now = QDateTime::currentMSecsSinceEpoch();
                const bool again = now - w->property(kRemadeAtProperty).toLongLong() < 1000;
                w->hide();
                if (onOutput && !again) {
                    w->setProperty(kRemadeAtProperty, now);
                    w->show();
                } else {
                    w->setProperty(kSurfaceLostProperty, true);
                }
            },
            Qt::QueuedConnection);
    }

    wl_proxy *m_surface = nullptr;
    QSize m_size;
    QSize m_pendingSize;
    LayerShell::Keyboard m_keyboard = LayerShell::Keyboard(~0u);
    LayerShell::Keyboard m_wish = LayerShell::KeyboardNone;
    bool m_clicked = false; // the card was clicked since it opened
    bool m_configured = false;
};

class LayerShellIntegration : public QWaylandShellIntegration
{
public:
    bool initialize(QWaylandDisplay *display) override
    {
        m_shell = bindLayerShell();
        if (!m_shell)
            return false;
        m_windows.reset(QWaylandShellIntegrationFactory::create(QStringLiteral("xdg-shell"), display));
        return bool(m_windows);
    }

    QWaylandShellSurface *createShellSurface(QWaylandWindow *window) override
    {
        if (window->window()->property(kLayerProperty).toBool())
            return new LayerSurface(m_shell, window);
        return m_windows->createShellSurface(window);
    }

    void *nativeResourceForWindow(const QByteArray &resource, QWindow *window) override
    {
        return m_windows ? m_windows->nativeResourceForWindow(resource, window) : nullptr;
    }

private:
    // Binds the compositor's layer shell through a registry of our own, on a
    // queue of our own, so Qt's registry and its dispatch stay untouched.
    static wl_proxy *bindLayerShell()
    {
        auto *display = static_cast<wl_display *>(
            QGuiApplication::platformNativeInterface()->nativeResourceForIntegration("wl_display"));
        if (!display)
            return nullptr;
        wl_event_queue *queue = wl_display_create_queue(display);
        auto *wrapper = static_cast<wl_display *>(wl_proxy_create_wrapper(display));
        wl_proxy_set_queue(reinterpret_cast<wl_proxy *>(wrapper), queue);
        wl_registry *registry = wl_display_get_registry(wrapper);
        wl_proxy_wrapper_destroy(wrapper);

        struct Found
        {
            wl_proxy *shell = nullptr;
        } found;
        static const wl_registry_listener listener = {
            [](void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t version) {
                auto *found = static_cast<Found *>(data);
                if (!found->shell && std::strcmp(interface, LayerShell::shellInterface.name) == 0)
                    found->shell = static_cast<wl_proxy *>(wl_registry_bind(registry, name,
                        &LayerShell::shellInterface, std::min(version, LayerShell::maxVersion)));
            },
            [](void *, wl_registry *, uint32_t) {},
        };
        wl_registry_add_listener(registry, &listener, &found);
        wl_display_roundtrip_queue(display, queue);
        wl_registry_destroy(registry);
        // Surfaces made from it are dispatched with Qt's own objects.
        if (found.shell)
            wl_proxy_set_queue(found.shell, nullptr);
        wl_event_queue_destroy(queue);
        return found.shell;
    }

    wl_proxy *m_shell = nullptr;
    std::unique_ptr<QWaylandShellIntegration> m_windows;
};

} // namespace

class BrivaneLayerShellPlugin : public QWaylandShellIntegrationPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QWaylandShellIntegrationFactoryInterface_iid FILE "layer-shell.json")
public:
    QWaylandShellIntegration *create(const QString &key, const QStringList &paramList) override
    {
        Q_UNUSED(key);
        Q_UNUSED(paramList);
        return new LayerShellIntegration;
    }
};

#include "LayerShellPlugin.moc"
