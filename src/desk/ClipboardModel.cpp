// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ClipboardModel.h"

#include "ClipboardStore.h"
#include "ui/Text.h"

ClipboardModel::ClipboardModel(QObject *parent)
    : NewestRowsModel(parent)
{
}

void ClipboardModel::setStore(ClipboardStore *store)
{
    if (store == m_store)
        return;
    followStore(m_store, store);
    Q_EMIT storeChanged();
}

int ClipboardModel::sourceCount() const
{
    return m_store ? m_store->count() : 0;
}

QVariant ClipboardModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid) || !m_store
        || index.row() >= m_store->count())
        return {};
    if (role == PreviewRole || role == Qt::DisplayRole)
        return Text::bounded(m_store->items().at(index.row()), previewLength);
    return {};
}

QHash<int, QByteArray> ClipboardModel::roleNames() const
{
    return { { PreviewRole, "preview" } };
}
