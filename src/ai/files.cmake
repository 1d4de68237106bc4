# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later

list(APPEND BRIVANE_SOURCES
    ai/AIStore.h ai/AIStore.cpp
    ai/ChatMessageModel.h ai/ChatMessageModel.cpp
    ai/ReplyStream.h ai/ReplyStream.cpp
    ai/ReplyReader.h ai/ReplyReader.cpp
    ai/ServerAddress.h ai/ServerAddress.cpp
    ai/ModelList.h ai/ModelList.cpp
)
list(APPEND BRIVANE_QML
    ai/AIPanel.qml
    ai/SettingsKeyGroup.qml
)
