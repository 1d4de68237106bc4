// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QVariantMap>

class QObject;
class QQmlEngine;
class QQuickItem;

// Creates a type of the Brivane QML module by name, the way later Qt versions'
// loadFromModule does, so no caller depends on resource paths.
namespace QmlFactory {

// Adds the module's import path; call once per engine.
void prepareEngine(QQmlEngine *engine);
QObject *create(QQmlEngine *engine, const QString &typeName, const QVariantMap &initialProperties = {});
QQuickItem *createItem(
    QQmlEngine *engine, const QString &typeName, const QVariantMap &initialProperties = {});

} // namespace QmlFactory
