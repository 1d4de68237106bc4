// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "NewestRowsModel.h"

NewestRowsModel::NewestRowsModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

int NewestRowsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int NewestRowsModel::shownFor(int count) const
{
    return m_limit < 0 ? count : qMin(count, m_limit);
}

void NewestRowsModel::setLimit(int limit)
{
    if (limit == m_limit)
        return;
    m_limit = limit;
    resetFromSource();
    Q_EMIT limitChanged();
}

void NewestRowsModel::resetFromSource()
{
    const int before = m_rows;
    beginResetModel();
    m_rows = shownFor(sourceCount());
    endResetModel();
    if (m_rows != before)
        Q_EMIT countChanged();
}

void NewestRowsModel::sourceAboutToInsertFront()
{
    if (m_limit == 0)
        return;
    // A full view drops its last row to make room at the top.
    if (m_limit > 0 && m_rows >= m_limit) {
        beginRemoveRows(QModelIndex(), m_rows - 1, m_rows - 1);
        --m_rows;
        endRemoveRows();
    }
    beginInsertRows(QModelIndex(), 0, 0);
    m_inserting = true;
}

void NewestRowsModel::sourceInsertedFront()
{
    if (!m_inserting)
        return;
    m_inserting = false;
    ++m_rows;
    endInsertRows();
    Q_EMIT countChanged();
}

void NewestRowsModel::sourceAboutToRemove(int index)
{
    if (index < 0 || index >= m_rows)
        return;
    beginRemoveRows(QModelIndex(), index, index);
    m_removing = true;
}

void NewestRowsModel::sourceRemoved(int index)
{
    Q_UNUSED(index);
    const int before = m_rows;
    if (m_removing) {
        m_removing = false;
        --m_rows;
        endRemoveRows();
    }
    // An entry further down moves up into view.
    const int wanted = shownFor(sourceCount());
    if (wanted > m_rows) {
        beginInsertRows(QModelIndex(), m_rows, wanted - 1);
        m_rows = wanted;
        endInsertRows();
    }
    if (m_rows != before)
        Q_EMIT countChanged();
}
