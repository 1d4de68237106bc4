#include "ClipboardStore.h"

ClipboardStore::ClipboardStore(KeyValueStore &preferences, QObject *parent)
    : QObject(parent)
{
    Q_UNUSED(preferences);
}
