// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "NotesModel.h"

#include "NotesStore.h"
#include "ui/Text.h"

#include <QLocale>

NotesModel::NotesModel(QObject *parent)
    : NewestRowsModel(parent)
{
}

void NotesModel::setStore(NotesStore *store)
{
    if (store == m_store)
        return;
    followStore(m_store, store);
    Q_EMIT storeChanged();
}

void NotesModel::setPreviewLength(int length)
{
    if (length == m_previewLength)
        return;
    m_previewLength = length;
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0), index(rowCount() - 1), { TextRole });
    Q_EMIT previewLengthChanged();
}

int NotesModel::sourceCount() const
{
    return m_store ? m_store->count() : 0;
}

QVariant NotesModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid) || !m_store
        || index.row() >= m_store->count())
        return {};
    const NotesStore::Note &note = m_store->notes().at(index.row());
    switch (role) {
    case IdRole:
        return note.id.toString(QUuid::WithoutBraces).toUpper();
    case Qt::DisplayRole:
    case TextRole:
        return Text::bounded(note.text, m_previewLength);
    case DateRole:
        return note.date;
    case TimeTextRole:
        return timeText(note.date);
    case DateTextRole:
        return dateText(note.date);
    default:
        return {};
    }
}

QHash<int, QByteArray> NotesModel::roleNames() const
{
    return { { IdRole, "noteId" }, { TextRole, "text" }, { DateRole, "date" }, { TimeTextRole, "timeText" },
        { DateTextRole, "dateText" } };
}

QString NotesModel::timeText(double referenceSeconds)
{
    const QDateTime when = NotesStore::dateTimeFrom(referenceSeconds);
    if (!when.isValid())
        return {};
    return QLocale::system().toString(when.toLocalTime().time(), QLocale::ShortFormat);
}

QString NotesModel::dateText(double referenceSeconds)
{
    const QDateTime when = NotesStore::dateTimeFrom(referenceSeconds);
    if (!when.isValid())
        return {};
    return QLocale::system().toString(when.toLocalTime().date(), QLocale::ShortFormat);
}
