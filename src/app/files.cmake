# SPDX-FileCopyrightText: 2026 Brivane developers
# SPDX-License-Identifier: GPL-3.0-or-later

list(APPEND BRIVANE_SOURCES
    app/AppDelegate.h app/AppDelegate.cpp
    app/CommandLine.h app/CommandLine.cpp
    app/Translations.h app/Translations.cpp
    app/SettingsWindow.h app/SettingsWindow.cpp
    app/NotchPanel.h app/NotchPanel.cpp
    app/PanelSettings.h app/PanelSettings.cpp
    app/NotchTrackingView.h app/NotchTrackingView.cpp
    app/TabModel.h app/TabModel.cpp
    app/QmlFactory.h app/QmlFactory.cpp
)
list(APPEND BRIVANE_QML
    app/NotchRootView.qml
    app/CardContent.qml
    app/TabBar.qml
    app/SettingsView.qml
    app/SettingsGeneralGroup.qml
    app/SettingSwitch.qml
    app/StripActivity.qml
)
