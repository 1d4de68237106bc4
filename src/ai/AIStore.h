#pragma once

#include <QObject>
#include <QtQml/qqmlregistration.h>

class KeyValueStore;

// Placeholder until the store is built: the shell only passes it around.
class AIStore : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Created by the application delegate")
public:
    explicit AIStore(KeyValueStore &preferences, QObject *parent = nullptr);
};
