# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later

list(APPEND BRIVANE_SOURCES
    platform/KeyValueStore.h platform/KeyValueStore.cpp
    platform/ProcessRunner.h platform/ProcessRunner.cpp
    platform/SingleInstance.h platform/SingleInstance.cpp
    platform/Sound.h platform/Sound.cpp
    platform/UnixSignals.h platform/UnixSignals.cpp
    platform/Compositor.h platform/Compositor.cpp
    platform/X11.h platform/X11.cpp
    platform/PanelHints.h platform/PanelHints.cpp
    platform/PointerStandIn.h platform/PointerStandIn.cpp
    platform/FullScreenWatch.h platform/FullScreenWatch.cpp
    platform/GlobalShortcut.h platform/GlobalShortcut.cpp
    platform/ShellExtension.h platform/ShellExtension.cpp
    platform/WaylandProbe.h platform/WaylandProbe.cpp
    platform/LayerSurface.h platform/LayerSurface.cpp
    platform/DesktopNotice.h platform/DesktopNotice.cpp
    platform/Autostart.h platform/Autostart.cpp
    platform/HttpStreamClient.h platform/HttpStreamClient.cpp
    platform/SecretKeyring.h platform/SecretKeyring.cpp
    platform/SystemFigures.h platform/SystemFigures.cpp
    platform/NowPlayingService.h
    platform/MprisNowPlaying.h platform/MprisNowPlaying.cpp
    platform/VolumeControl.h platform/VolumeControl.cpp
    platform/ImageLoader.h platform/ImageLoader.cpp
    platform/Clipboard.h platform/Clipboard.cpp
    platform/ActiveScreen.h platform/ActiveScreen.cpp
    platform/Session.h platform/Session.cpp
    platform/FileLauncher.h platform/FileLauncher.cpp
)
