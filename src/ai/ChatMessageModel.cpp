// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ChatMessageModel.h"

ChatMsg::ChatMsg(QString role, QString text)
    : id(QUuid::createUuid())
    , role(std::move(role))
    , text(std::move(text))
{
}

ChatMessageModel::ChatMessageModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

int ChatMessageModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_messages.size());
}

QVariant ChatMessageModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const ChatMsg &message = m_messages.at(index.row());
    switch (role) {
    case IdRole:
        return message.id.toString(QUuid::WithoutBraces);
    case RoleRole:
        return message.role;
    case TextRole:
    case Qt::DisplayRole:
        return message.text;
    case IsUserRole:
        return message.role == QLatin1String("user");
    default:
        return {};
    }
}

QHash<int, QByteArray> ChatMessageModel::roleNames() const
{
    return { { IdRole, "messageId" }, { RoleRole, "role" }, { TextRole, "text" }, { IsUserRole, "isUser" } };
}

void ChatMessageModel::append(const ChatMsg &message)
{
    const int row = int(m_messages.size());
    beginInsertRows({}, row, row);
    m_messages.append(message);
    endInsertRows();
    Q_EMIT countChanged();
}

bool ChatMessageModel::replace(qsizetype row, const ChatMsg &message)
{
    if (row < 0 || row >= m_messages.size())
        return false;
    m_messages[row] = message;
    const QModelIndex changed = index(int(row));
    Q_EMIT dataChanged(changed, changed);
    return true;
}

VisibleChatModel::VisibleChatModel(ChatMessageModel *source, QObject *parent)
    : QSortFilterProxyModel(parent)
{
    setSourceModel(source);
    connect(this, &QAbstractItemModel::rowsInserted, this, &VisibleChatModel::countChanged);
    connect(this, &QAbstractItemModel::rowsRemoved, this, &VisibleChatModel::countChanged);
    connect(this, &QAbstractItemModel::modelReset, this, &VisibleChatModel::countChanged);
}

bool VisibleChatModel::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    const QModelIndex index = sourceModel()->index(sourceRow, 0, sourceParent);
    return index.data(ChatMessageModel::RoleRole).toString() != QLatin1String("system");
}
