// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAbstractListModel>

// Rows for the first `limit` entries of a newest-first list that only grows
// at the front and shrinks anywhere (the notes, the clipboard history). It
// follows the list change by change, so a view keeps its other rows' items.
class NewestRowsModel : public QAbstractListModel
{
    Q_OBJECT
    // How many entries are shown; negative shows all.
    Q_PROPERTY(int limit READ limit WRITE setLimit NOTIFY limitChanged)
    Q_PROPERTY(int count READ count NOTIFY countChanged)
public:
    explicit NewestRowsModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int limit() const { return m_limit; }
    void setLimit(int limit);
    int count() const { return m_rows; }

Q_SIGNALS:
    void limitChanged();
    void countChanged();

protected:
    // The length of the source list, as it is now.
    virtual int sourceCount() const = 0;

    // Points a subclass's store field at `store` and follows its
    // notifications; Store signals aboutToAdd, added, aboutToRemove(int)
    // and removed(int).
    template<typename Store, typename Field>
    void followStore(Field &field, Store *store)
    {
        if (field)
            disconnect(field, nullptr, this, nullptr);
        field = store;
        if (store) {
            connect(store, &Store::aboutToAdd, this, &NewestRowsModel::sourceAboutToInsertFront);
            connect(store, &Store::added, this, &NewestRowsModel::sourceInsertedFront);
            connect(store, &Store::aboutToRemove, this, &NewestRowsModel::sourceAboutToRemove);
            connect(store, &Store::removed, this, &NewestRowsModel::sourceRemoved);
            connect(store, &QObject::destroyed, this, [this] { resetFromSource(); });
        }
        resetFromSource();
    }

    // Called by subclasses from the source's notifications.
    void sourceAboutToInsertFront();
    void sourceInsertedFront();
    void sourceAboutToRemove(int index);
    void sourceRemoved(int index);
    void resetFromSource();

private:
    int shownFor(int sourceCount) const;

    int m_limit = -1;
    int m_rows = 0;
    bool m_inserting = false;
    bool m_removing = false;
};
