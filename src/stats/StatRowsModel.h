// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "StatsFormat.h"

#include <QAbstractListModel>
#include <QtQml/qqmlregistration.h>

// The panel's rows as a list model; a refresh that changes a value updates
// that row in place, so the view does not rebuild its rows every 2 seconds.
class StatRowsModel : public QAbstractListModel
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Rows belong to a StatsSampler.")
public:
    enum Role {
        IconRole = Qt::UserRole + 1,
        GlyphRole,
        LabelRole,
        ValueRole,
        TintRole,
        ProgressRole,
        BarShownRole
    };

    explicit StatRowsModel(QObject *parent = nullptr);

    void setRows(const QList<StatRow> &rows);
    const QList<StatRow> &rows() const { return m_rows; }

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

private:
    QList<StatRow> m_rows;
};
