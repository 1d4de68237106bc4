#include "NotesStore.h"

NotesStore::NotesStore(KeyValueStore &preferences, QObject *parent)
    : QObject(parent)
{
    Q_UNUSED(preferences);
}
