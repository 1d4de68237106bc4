// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CommandLine.h"

#include <cstdio>

namespace CommandLine {

Action parse(const QStringList &arguments)
{
    bool help = false;
    bool version = false;
    bool toggle = false;
    bool unknown = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &arg = arguments.at(i);
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h"))
            help = true;
        else if (arg == QLatin1String("--version"))
            version = true;
        else if (arg == QLatin1String("--toggle"))
            toggle = true;
        else
            unknown = true;
    }
    if (help)
        return Action::Help;
    if (version)
        return Action::Version;
    if (unknown)
        return Action::Invalid;
    return toggle ? Action::Toggle : Action::Run;
}

// Kept in step with the manual page, data/brivane.1.
QString usage()
{
    return QStringLiteral("Usage: brivane [--toggle | --help | --version]\n"
                          "Tools in a card at the top centre of the screen: now playing, notes, timer,\n"
                          "calculator, clipboard, AI chat and system statistics.\n"
                          "\n"
                          "Launched again while it runs, Brivane opens its settings window.\n"
                          "\n"
                          "Options:\n"
                          "  --toggle    open or close the card of the running instance\n"
                          "  -h, --help  print this help and exit\n"
                          "  --version   print the version and exit\n"
                          "\n"
                          "Files:\n"
                          "  ~/.config/brivane/preferences.json\n"
                          "      notes, clipboard history, settings and the AI key\n"
                          "  ~/.config/autostart/org.brivane.Brivane.desktop\n"
                          "      present while \"Start at login\" is on\n"
                          "  ($XDG_CONFIG_HOME replaces ~/.config when set.)\n"
                          "\n"
                          "Environment:\n"
                          "  OPENAI_API_KEY    the AI key, used while none is stored in the settings\n"
                          "  QT_QUICK_BACKEND  the Qt Quick scene graph (default: software)\n"
                          "  LANGUAGE, LC_ALL, LC_MESSAGES, LANG\n"
                          "      the interface's language (English where none is translated)\n"
                          "\n"
                          "Desktops: KWin, sway and other wlroots compositors, GNOME Shell (with\n"
                          "Brivane's extension for the top bar) and X11 window managers such as Xfce.\n");
}

QString version()
{
    return QStringLiteral("brivane " BRIVANE_VERSION "\n");
}

int respond(Action action)
{
    switch (action) {
    case Action::Help:
        std::fputs(qPrintable(usage()), stdout);
        return 0;
    case Action::Version:
        std::fputs(qPrintable(version()), stdout);
        return 0;
    case Action::Invalid:
        std::fputs(qPrintable(usage()), stderr);
        return 2;
    case Action::Run:
    case Action::Toggle:
        break;
    }
    return -1;
}

} // namespace CommandLine
