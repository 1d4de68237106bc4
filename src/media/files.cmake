list(APPEND BRIVANE_SOURCES
    media/MediaStore.h media/MediaStore.cpp
    media/MediaSources.h media/MediaSources.cpp
    media/AlbumArtProvider.h media/AlbumArtProvider.cpp
)
list(APPEND BRIVANE_QML
    media/MediaPanel.qml
    media/MiniPlayer.qml
)
