#include "AIStore.h"

AIStore::AIStore(KeyValueStore &preferences, QObject *parent)
    : QObject(parent)
{
    Q_UNUSED(preferences);
}
