#include "MediaStore.h"

MediaStore::MediaStore(QObject *parent)
    : QObject(parent)
{
}

void MediaStore::setTitle(const QString &title)
{
    if (title == m_title)
        return;
    m_title = title;
    Q_EMIT titleChanged();
}
