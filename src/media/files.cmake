list(APPEND BRIVANE_SOURCES
    media/MediaStore.h media/MediaStore.cpp
)
list(APPEND BRIVANE_QML
    media/MediaPanel.qml
    media/MiniPlayer.qml
)
