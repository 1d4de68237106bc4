// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "FakeClipboard.h"
#include "ai/AIStore.h"
#include "app/PanelSettings.h"
#include "desk/ClipboardStore.h"
#include "desk/NotesStore.h"
#include "desk/TimerStore.h"
#include "media/MediaStore.h"
#include "platform/KeyValueStore.h"
#include "shelf/ShelfStore.h"

#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QString>
#include <QTemporaryDir>
#include <QVariantMap>
#include <QtQml/qqmlextensionplugin.h>
#include <QtTest>
#include <memory>

// Every test executable links the QML module statically.
#define BRIVANE_TEST_MAIN(TestClass)                                                                         \
    Q_IMPORT_QML_PLUGIN(BrivanePlugin)                                                                       \
    QTEST_MAIN(TestClass)

namespace TestSupport {

// An engine that can import Brivane.
std::unique_ptr<QQmlEngine> makeEngine();

// Hosts a view item in an exposed offscreen window of the given size, so that
// layout, input and rendering behave as on screen.
class ViewHost
{
public:
    ViewHost(const QString &typeName, const QVariantMap &properties, QSize size = QSize(340, 400));
    ~ViewHost();
    QQuickItem *root() const { return m_root; }
    QQuickWindow *window() const { return m_window.get(); }
    QQmlEngine *engine() const { return m_engine.get(); }
    // The item with this objectName below the root, or null.
    QQuickItem *find(const QString &objectName) const;
    // Clicks the centre of the item (or a point inside it).
    void click(QQuickItem *item, QPointF offset = { -1, -1 }) const;
    // Lets positioners place items added since the last frame, then clicks
    // the item with this objectName; fails the test when there is none.
    void click(const QString &objectName) const;
    // Types text into the focused item.
    void type(const QString &text) const;
    // Return, sent straight to the window, which offscreen is never the
    // focus window.
    void pressReturn() const;
    // The named item's "text", or a marker naming the missing item.
    QString text(const QString &objectName) const;
    // An attached property such as "Accessible.name".
    static QVariant attached(QQuickItem *item, const QString &name);

private:
    std::unique_ptr<QQmlEngine> m_engine;
    std::unique_ptr<QQuickWindow> m_window;
    QQuickItem *m_root = nullptr;
};

// Depth-first search by objectName through visual and QObject children.
QQuickItem *findItem(QQuickItem *root, const QString &objectName);

// A fresh, private preferences file path inside a temporary directory.
QString temporaryPreferencesPath(const QTemporaryDir &dir);

// The stores the card shows, on a private preferences file and a clipboard
// the test controls.
struct CardStores
{
    QTemporaryDir dir;
    KeyValueStore prefs { temporaryPreferencesPath(dir) };
    FakeClipboard clip;
    NotesStore notes { prefs };
    ClipboardStore clipboard { prefs, clip };
    AIStore ai { prefs };
    MediaStore media;
    TimerStore timer;
    PanelSettings settings { prefs };
    ShelfStore shelf { prefs };
    // The whole card around them, on a stand-in for the panel; it opens once
    // setExpanded(true) is called.
    std::unique_ptr<ViewHost> card();
    // The stores by the names the card's views take them.
    QVariantMap views();
};

// The stand-in panel of every card made here: what the views follow of it.
class FakePanel : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool isExpanded MEMBER m_expanded NOTIFY isExpandedChanged)
    Q_PROPERTY(QVariantList stripParts MEMBER m_stripParts)
public:
    bool m_expanded = false;
    QVariantList m_stripParts;
Q_SIGNALS:
    void isExpandedChanged();
};
FakePanel &fakePanel();

// Opens or closes the card, as the panel does.
void setExpanded(bool expanded);

} // namespace TestSupport
