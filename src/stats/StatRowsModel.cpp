// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "StatRowsModel.h"

#include "ui/Symbols.h"

#include <algorithm>

StatRowsModel::StatRowsModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

void StatRowsModel::setRows(const QList<StatRow> &rows)
{
    // Rows keep their order; only the battery row comes and goes. Rows that
    // stay are updated in place, so their delegates (and anything bound to
    // them) survive.
    const auto hasLabel = [](const QList<StatRow> &list, const QString &label) {
        return std::any_of(list.begin(), list.end(), [&](const StatRow &row) { return row.label == label; });
    };
    int i = 0;
    for (const StatRow &row : rows) {
        while (i < m_rows.size() && m_rows.at(i).label != row.label && !hasLabel(rows, m_rows.at(i).label)) {
            beginRemoveRows({}, i, i);
            m_rows.removeAt(i);
            endRemoveRows();
        }
        if (i < m_rows.size() && m_rows.at(i).label == row.label) {
            if (!(m_rows.at(i) == row)) {
                m_rows[i] = row;
                Q_EMIT dataChanged(index(i), index(i));
            }
        } else {
            beginInsertRows({}, i, i);
            m_rows.insert(i, row);
            endInsertRows();
        }
        ++i;
    }
    if (i < m_rows.size()) {
        beginRemoveRows({}, i, int(m_rows.size()) - 1);
        m_rows.resize(i);
        endRemoveRows();
    }
    if (m_rows != rows) {
        // Only a reordering gets here, which no caller does.
        beginResetModel();
        m_rows = rows;
        endResetModel();
    }
}

int StatRowsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant StatRowsModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const StatRow &row = m_rows.at(index.row());
    switch (role) {
    case IconRole:
        return row.icon;
    case GlyphRole:
        return Symbols::glyph(row.icon);
    case Qt::DisplayRole:
    case LabelRole:
        return row.label;
    case ValueRole:
        return row.value;
    case TintRole:
        return row.tint;
    case ProgressRole:
        return row.progress;
    case BarShownRole:
        return row.barShown;
    default:
        return {};
    }
}

QHash<int, QByteArray> StatRowsModel::roleNames() const
{
    return { { IconRole, "icon" }, { GlyphRole, "glyph" }, { LabelRole, "label" }, { ValueRole, "value" },
        { TintRole, "tint" }, { ProgressRole, "progress" }, { BarShownRole, "barShown" } };
}
