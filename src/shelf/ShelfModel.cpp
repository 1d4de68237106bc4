// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ShelfModel.h"

#include "ui/Text.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

ShelfModel::ShelfModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

void ShelfModel::setStore(ShelfStore *store)
{
    if (store == m_store)
        return;
    if (m_store)
        disconnect(m_store, nullptr, this, nullptr);
    m_store = store;
    if (store) {
        // At most fifty rows: a whole reset costs nothing worth saving.
        connect(store, &ShelfStore::entriesChanged, this, &ShelfModel::reset);
        connect(store, &ShelfStore::entryChanged, this, [this](int row) {
            if (!m_store || row < 0 || row >= m_rows.size() || row >= m_store->count())
                return;
            m_rows[row] = m_store->entries().at(row);
            Q_EMIT dataChanged(index(row), index(row));
        });
        connect(store, &QObject::destroyed, this, &ShelfModel::reset);
    }
    reset();
    Q_EMIT storeChanged();
}

void ShelfModel::reset()
{
    beginResetModel();
    m_rows = m_store ? m_store->entries() : QList<ShelfStore::Entry>();
    endResetModel();
}

int ShelfModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant ShelfModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const ShelfStore::Entry &entry = m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case NameRole:
        return Text::bounded(entry.name, nameLength);
    case DetailRole:
        if (entry.missing)
            return tr("Missing", "a file on the shelf that is no longer there");
        if (entry.isDir)
            return tr("Folder");
        return QLocale().formattedDataSize(entry.size, 1, QLocale::DataSizeSIFormat);
    case FolderRole:
        return Text::bounded(QDir::toNativeSeparators(QFileInfo(entry.path).path()), folderLength);
    case IconRole:
        return QStringLiteral("image://shelficon/") + entry.mimeType;
    case MissingRole:
        return entry.missing;
    default:
        return {};
    }
}

QHash<int, QByteArray> ShelfModel::roleNames() const
{
    return { { NameRole, "name" }, { DetailRole, "detail" }, { FolderRole, "folder" }, { IconRole, "icon" },
        { MissingRole, "missing" } };
}
