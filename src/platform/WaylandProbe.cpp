// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WaylandProbe.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLibraryInfo>
#include <cstring>
#include <poll.h>
#include <wayland-client.h>

namespace WaylandProbe {

bool advertises(const char *interface, int timeoutMs)
{
    wl_display *display = wl_display_connect(nullptr);
    if (!display)
        return false;
    struct Search
    {
        const char *interface;
        bool found = false;
    } search { interface };
    static const wl_registry_listener listener = {
        [](void *data, wl_registry *, uint32_t, const char *name, uint32_t) {
            auto *search = static_cast<Search *>(data);
            if (std::strcmp(name, search->interface) == 0)
                search->found = true;
        },
        [](void *, wl_registry *, uint32_t) {},
    };
    wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, &search);
    wl_callback *done = wl_display_sync(display);
    bool answered = false;
    static const wl_callback_listener doneListener
        = { [](void *data, wl_callback *, uint32_t) { *static_cast<bool *>(data) = true; } };
    wl_callback_add_listener(done, &doneListener, &answered);

    // A roundtrip with a deadline: a compositor that hangs must not hang us.
    QElapsedTimer clock;
    clock.start();
    while (!answered) {
        if (wl_display_flush(display) < 0)
            break;
        const int left = timeoutMs - int(clock.elapsed());
        pollfd fd { wl_display_get_fd(display), POLLIN, 0 };
        if (left <= 0 || poll(&fd, 1, left) <= 0)
            break;
        if (wl_display_dispatch(display) < 0)
            break;
    }
    wl_callback_destroy(done);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return answered && search.found;
}

QString pluginDirectory(QByteArray *whyNot)
{
    // The layer surface needs Qt's Wayland platform and its xdg-shell, which
    // takes every other window.
    const QString qtPlugins = QLibraryInfo::path(QLibraryInfo::PluginsPath);
    if (!QFileInfo::exists(qtPlugins + QStringLiteral("/wayland-shell-integration/libxdg-shell.so"))) {
        *whyNot = "Qt's Wayland platform is not installed";
        return QString();
    }
    const QString program = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    const QDir bin = QFileInfo(program).dir();
    for (const char *relative : { BRIVANE_PLUGIN_DIR_FROM_BUILD, BRIVANE_PLUGIN_DIR_FROM_INSTALL }) {
        const QString dir = QDir::cleanPath(bin.filePath(QString::fromUtf8(relative)));
        if (program.isEmpty() || !QFileInfo::exists(dir + QStringLiteral("/wayland-shell-integration")))
            continue;
        if (std::strcmp(qVersion(), BRIVANE_PLUGIN_QT_VERSION) != 0) {
            *whyNot = QByteArray("Brivane's layer-shell plugin was built for Qt ") + BRIVANE_PLUGIN_QT_VERSION
                + ", not the running Qt " + qVersion();
            return QString();
        }
        return dir;
    }
    *whyNot = "Brivane's layer-shell plugin is not installed";
    return QString();
}

} // namespace WaylandProbe
