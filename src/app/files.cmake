list(APPEND BRIVANE_SOURCES
    app/AppDelegate.h app/AppDelegate.cpp
    app/Text.h
    app/NotchPanel.h app/NotchPanel.cpp
    app/NotchTrackingView.h app/NotchTrackingView.cpp
    app/ExpansionObserver.h app/ExpansionObserver.cpp
    app/TabModel.h app/TabModel.cpp
    app/QmlFactory.h app/QmlFactory.cpp
)
list(APPEND BRIVANE_QML
    app/NotchRootView.qml
    app/TabBar.qml
    app/SettingsView.qml
)
