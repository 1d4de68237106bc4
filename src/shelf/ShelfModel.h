// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ShelfStore.h"

#include <QAbstractListModel>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

// The shelf's entries as rows, in the store's order. Names and paths come
// from outside and are bounded here, like every text from elsewhere.
class ShelfModel : public QAbstractListModel
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(ShelfStore *store READ store WRITE setStore NOTIFY storeChanged)
public:
    enum Role {
        NameRole = Qt::UserRole + 1,
        DetailRole,
        FolderRole,
        IconRole,
        MissingRole,
    };
    Q_ENUM(Role)

    static constexpr int nameLength = 200;
    static constexpr int folderLength = 300;

    explicit ShelfModel(QObject *parent = nullptr);

    ShelfStore *store() const { return m_store; }
    void setStore(ShelfStore *store);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

Q_SIGNALS:
    void storeChanged();

private:
    void reset();

    QPointer<ShelfStore> m_store;
    // A copy, so a reset is always bracketed by what was and what is.
    QList<ShelfStore::Entry> m_rows;
};
