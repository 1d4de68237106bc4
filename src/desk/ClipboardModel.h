// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ClipboardStore.h"
#include "NewestRowsModel.h"

#include <QPointer>
#include <QtQml/qqmlregistration.h>

// The newest clipboard entries as rows. A row carries only a bounded prefix
// of its entry: an entry may be megabytes long, and a two-line row shows a
// few hundred characters at most.
class ClipboardModel : public NewestRowsModel
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(ClipboardStore *store READ store WRITE setStore NOTIFY storeChanged)
public:
    enum Role {
        PreviewRole = Qt::UserRole + 1,
    };
    Q_ENUM(Role)

    static constexpr int previewLength = 400;

    explicit ClipboardModel(QObject *parent = nullptr);

    ClipboardStore *store() const { return m_store; }
    void setStore(ClipboardStore *store);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

Q_SIGNALS:
    void storeChanged();

protected:
    int sourceCount() const override;

private:
    QPointer<ClipboardStore> m_store;
};
