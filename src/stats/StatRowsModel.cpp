#include "StatRowsModel.h"

#include "platform/Symbols.h"

#include <algorithm>

StatRowsModel::StatRowsModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

void StatRowsModel::setRows(const QList<StatRow> &rows)
{
    const auto sameLabel = [](const StatRow &a, const StatRow &b) { return a.label == b.label; };
    if (!std::equal(rows.begin(), rows.end(), m_rows.begin(), m_rows.end(), sameLabel)) {
        // Only the battery row comes and goes, and rarely.
        beginResetModel();
        m_rows = rows;
        endResetModel();
        return;
    }
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (rows.at(i) == m_rows.at(i))
            continue;
        m_rows[i] = rows.at(i);
        Q_EMIT dataChanged(index(int(i)), index(int(i)));
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
