#pragma once

#include <QObject>
#include <QtQml/qqmlregistration.h>

class KeyValueStore;

// Placeholder until the store is built: the shell only passes it around.
class ClipboardStore : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Created by the application delegate")
public:
    explicit ClipboardStore(KeyValueStore &preferences, QObject *parent = nullptr);
};
