# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later

list(APPEND BRIVANE_SOURCES
    media/MediaStore.h media/MediaStore.cpp
    media/MediaFormat.h media/MediaFormat.cpp
    media/WaveView.h media/WaveView.cpp
    media/AlbumArtView.h media/AlbumArtView.cpp
    media/MediaShadow.h media/MediaShadow.cpp
    media/MediaSources.h media/MediaSources.cpp
    media/AlbumArtProvider.h media/AlbumArtProvider.cpp
)
list(APPEND BRIVANE_QML
    media/MediaPanel.qml
    media/MiniPlayer.qml
)
