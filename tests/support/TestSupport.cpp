// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestSupport.h"

#include "app/QmlFactory.h"

#include <QQmlContext>
#include <QQmlProperty>
#include <QTemporaryDir>
#include <QtQuickTest/quicktest.h>
#include <utility>

namespace TestSupport {

std::unique_ptr<QQmlEngine> makeEngine()
{
    auto engine = std::make_unique<QQmlEngine>();
    QmlFactory::prepareEngine(engine.get());
    return engine;
}

ViewHost::ViewHost(const QString &typeName, const QVariantMap &properties, QSize size)
    : m_engine(makeEngine())
    , m_window(std::make_unique<QQuickWindow>())
{
    m_window->resize(size);
    m_root = QmlFactory::createItem(m_engine.get(), typeName, properties);
    if (m_root) {
        m_root->setParent(m_window->contentItem());
        m_root->setParentItem(m_window->contentItem());
        m_root->setWidth(size.width());
        if (m_root->height() <= 0)
            m_root->setHeight(size.height());
    }
    m_window->show();
    if (!QTest::qWaitForWindowExposed(m_window.get()))
        qWarning("view host window was not exposed");
}

ViewHost::~ViewHost()
{
    delete m_root;
}

QQuickItem *findItem(QQuickItem *item, const QString &objectName)
{
    if (!item)
        return nullptr;
    if (item->objectName() == objectName)
        return item;
    // Visual children (Repeater and Loader items) and plain QObject children.
    for (QQuickItem *child : item->childItems()) {
        if (QQuickItem *found = findItem(child, objectName))
            return found;
    }
    for (QObject *child : item->children()) {
        auto *childItem = qobject_cast<QQuickItem *>(child);
        if (childItem && childItem->parentItem() != item) {
            if (QQuickItem *found = findItem(childItem, objectName))
                return found;
        }
    }
    return nullptr;
}

QQuickItem *ViewHost::find(const QString &objectName) const
{
    return findItem(m_root, objectName);
}

void ViewHost::click(QQuickItem *item, QPointF offset) const
{
    if (!item)
        return;
    const QPointF local = offset.x() < 0 ? QPointF(item->width() / 2, item->height() / 2) : offset;
    const QPoint point = item->mapToScene(local).toPoint();
    QTest::mouseClick(m_window.get(), Qt::LeftButton, Qt::NoModifier, point);
}

// A key pressed and let go, sent straight to the window.
static void sendKey(QWindow *window, int key, const QString &text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(window, &press);
    QCoreApplication::sendEvent(window, &release);
}

void ViewHost::type(const QString &text) const
{
    // Sent as text events, so any character (not just Latin-1) arrives.
    for (const QChar c : text)
        sendKey(m_window.get(), 0, QString(c));
}

void ViewHost::click(const QString &objectName) const
{
    QVERIFY(QQuickTest::qWaitForPolish(m_window.get()));
    QQuickItem *item = find(objectName);
    QVERIFY2(item, qPrintable(objectName));
    click(item);
}

void ViewHost::pressReturn() const
{
    sendKey(m_window.get(), Qt::Key_Return, QStringLiteral("\r"));
}

QString ViewHost::text(const QString &objectName) const
{
    QQuickItem *item = find(objectName);
    return item ? item->property("text").toString() : QStringLiteral("<no %1>").arg(objectName);
}

QVariant ViewHost::attached(QQuickItem *item, const QString &name)
{
    return QQmlProperty(item, name, qmlContext(item)).read();
}

QString temporaryPreferencesPath(const QTemporaryDir &dir)
{
    return dir.filePath(QStringLiteral("brivane/preferences.json"));
}

QVariantMap CardStores::views()
{
    return { { "notes", QVariant::fromValue(&notes) }, { "clipboard", QVariant::fromValue(&clipboard) },
        { "ai", QVariant::fromValue(&ai) }, { "media", QVariant::fromValue(&media) },
        { "timer", QVariant::fromValue(&timer) }, { "settings", QVariant::fromValue(&settings) },
        { "shelf", QVariant::fromValue(&shelf) } };
}

std::unique_ptr<ViewHost> CardStores::card()
{
    QVariantMap properties = views();
    properties.insert("panel", QVariant::fromValue<QObject *>(&fakePanel()));
    return std::make_unique<ViewHost>(QStringLiteral("NotchRootView"), properties, QSize(380, 520));
}

FakePanel &fakePanel()
{
    static FakePanel panel;
    return panel;
}

void setExpanded(bool expanded)
{
    FakePanel &panel = fakePanel();
    if (std::exchange(panel.m_expanded, expanded) != expanded)
        Q_EMIT panel.isExpandedChanged();
}

} // namespace TestSupport
