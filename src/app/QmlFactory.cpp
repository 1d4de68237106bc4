// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "QmlFactory.h"

#include "shelf/ShelfIconProvider.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>

namespace QmlFactory {

void prepareEngine(QQmlEngine *engine)
{
    engine->addImportPath(QStringLiteral("qrc:/qt/qml"));
    // Icons by file type hold no state: every engine has its own.
    engine->addImageProvider(QStringLiteral("shelficon"), new ShelfIconProvider);
}

QObject *create(QQmlEngine *engine, const QString &typeName, const QVariantMap &initialProperties)
{
    QQmlComponent component(engine);
    component.setData(QStringLiteral("import Brivane\n%1 {}\n").arg(typeName).toUtf8(), QUrl());
    QObject *object
        = component.isReady() ? component.createWithInitialProperties(initialProperties) : nullptr;
    if (!object) {
        // A broken view is a build or packaging fault; say which.
        for (const QQmlError &error : component.errors())
            qWarning("%s", qPrintable(error.toString()));
    }
    return object;
}

QQuickItem *createItem(QQmlEngine *engine, const QString &typeName, const QVariantMap &initialProperties)
{
    QObject *object = create(engine, typeName, initialProperties);
    auto *item = qobject_cast<QQuickItem *>(object);
    if (!item)
        delete object;
    return item;
}

} // namespace QmlFactory
