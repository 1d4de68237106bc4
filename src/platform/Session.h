// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ActiveScreen.h"
#include "GlobalShortcut.h"

#include <QByteArray>
#include <QString>

// What Brivane knows of the desktop session it runs in, worked out in this one
// place: which desktop it is, X11 or Wayland, how the strip reaches the
// screen, which way the shortcut can be taken and how the screen in use is
// learnt. Another desktop is one more case here.
class Session
{
public:
    enum class Desktop { Other, Gnome, Kde, Sway };

    // Before Qt starts: picks Qt's platform (a layer surface where the
    // compositor has the layer shell and this build can make one, else X11,
    // through XWayland on Wayland) and returns why, for the line said at start.
    static QByteArray choosePlatform();

    // The running session, once Qt runs.
    static Session current();
    Session(const QByteArray &desktopName, const QString &platformName, bool waylandDisplay, bool swaySocket);

    Desktop desktop() const { return m_desktop; }
    // The strip is an X11 window that XWayland carries: Brivane sees neither
    // the pointer nor the keys of native windows.
    bool underXWayland() const { return m_platform == QLatin1String("xcb") && m_waylandDisplay; }
    bool x11() const { return m_platform == QLatin1String("xcb"); }

    // The KDE service only where KDE runs it, not where the bus could merely
    // start it; the shell's key bindings only while its extension is on.
    GlobalShortcut::Backend shortcutBackend(bool shellExtensionOn) const;
    ActiveScreen::Source activeScreenSource() const;
    // The line said once at start: which way the strip reaches the screen.
    QByteArray startLine(const QByteArray &why) const;

private:
    QByteArray m_desktopName;
    Desktop m_desktop = Desktop::Other;
    QString m_platform;
    bool m_waylandDisplay = false;
    bool m_swaySocket = false;
};
