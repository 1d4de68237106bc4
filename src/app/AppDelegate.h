// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "SettingsWindow.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QQmlEngine>
#include <QQuickWindow>

class AIStore;
class ClipboardStore;
class KeyValueStore;
class MediaStore;
class NotchPanel;
class NotesStore;
class PanelSettings;
class TimerStore;
class FullScreenWatch;
class ActiveScreen;
class QScreen;
class GlobalShortcut;
class ShellExtension;
class ShelfStore;

// Owns the shared stores, the notch panel and the settings window for the
// whole run. Creates the stores in a fixed order: notes, clipboard, AI, media,
// shelf.
class AppDelegate : public QObject
{
    Q_OBJECT
public:
    explicit AppDelegate(KeyValueStore &preferences, QObject *parent = nullptr);
    ~AppDelegate() override;

    // The whole program: single instance, delegate, event loop.
    static int runApplication(int argc, char *argv[]);
    // Rendering defaults; call before the application object exists.
    static void configureRendering();

    void applicationDidFinishLaunching();
    bool applicationShouldHandleReopen(bool hasVisibleWindows);
    // Only the settings window counts as visible: the strip is always there.
    bool hasVisibleWindows() const;

    // The strip on the primary (or chosen) monitor; it lives for the whole
    // run. With "All monitors" the others follow it in panels().
    NotchPanel *notchPanel() const { return m_notchPanel; }
    const QList<NotchPanel *> &panels() const { return m_panels; }
    // The shortcut and `--toggle`: closes the open card, else opens the card
    // on the monitor under the pointer.
    void toggleCard();
    // The settings window, built when first asked for (the first reopen), so
    // its controls cost nothing until the user wants them. None before
    // launch has finished.
    SettingsWindow *mainWindow();
    NotesStore *sharedNotes() const { return m_sharedNotes; }
    ClipboardStore *sharedClipboard() const { return m_sharedClipboard; }
    AIStore *sharedAI() const { return m_sharedAI; }
    MediaStore *sharedMedia() const { return m_sharedMedia; }
    ShelfStore *sharedShelf() const { return m_sharedShelf; }
    PanelSettings *panelSettings() const { return m_panelSettings; }
    QQmlEngine *engine() { return &m_engine; }
    // GNOME Shell's extension, where the session has a bus; it may then open
    // and close the card, and the settings window offers to enable it.
    void setShellExtension(ShellExtension *extension);

private:
    void connectShellExtension();
    void applyPanelSettings();
    void placePanels();
    void setUpPanel(NotchPanel *panel);
    void chooseShortcutBackend();
    // What the card's views are given: every store they show.
    QVariantMap cardStores() const;
    // Collapses the card where one is open; false when none was.
    bool collapseOpenCard();
    void openCardOn(QScreen *screen);
    void suppressUnderFullScreen();
    void noticeExtensionOnce();

    KeyValueStore &m_preferences;
    QPointer<ShellExtension> m_shellExtension;
    NotchPanel *m_notchPanel = nullptr;
    QList<NotchPanel *> m_panels;
    SettingsWindow *m_mainWindow = nullptr;
    NotesStore *m_sharedNotes;
    ClipboardStore *m_sharedClipboard;
    AIStore *m_sharedAI;
    MediaStore *m_sharedMedia;
    TimerStore *m_sharedTimer;
    ShelfStore *m_sharedShelf;
    PanelSettings *m_panelSettings;
    FullScreenWatch *m_fullScreen;
    GlobalShortcut *m_shortcut;
    ActiveScreen *m_activeScreen;
    QQmlEngine m_engine;
};
