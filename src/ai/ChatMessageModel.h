// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QSortFilterProxyModel>
#include <QString>
#include <QUuid>
#include <QtQml/qqmlregistration.h>

// One message of the conversation. Immutable: a change is a new message with
// a new id in the same place.
struct ChatMsg
{
    QUuid id;
    QString role; // "user", "assistant" or "system"
    QString text;
    bool failed = false; // an error shown in place of a reply

    ChatMsg(QString role, QString text);
};

// The conversation, oldest first. Rows are only appended or replaced.
class ChatMessageModel : public QAbstractListModel
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Owned by AIStore")
    Q_PROPERTY(int count READ rowCount NOTIFY countChanged)
public:
    enum Roles { IdRole = Qt::UserRole + 1, RoleRole, TextRole, IsUserRole };

    explicit ChatMessageModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    const QList<ChatMsg> &messages() const { return m_messages; }
    qsizetype size() const { return m_messages.size(); }
    const ChatMsg &at(qsizetype i) const { return m_messages.at(i); }

    void append(const ChatMsg &message);
    // False when `row` is out of range; nothing changes then.
    bool replace(qsizetype row, const ChatMsg &message);

Q_SIGNALS:
    void countChanged();

private:
    QList<ChatMsg> m_messages;
};

// The rows the chat shows: everything but "system" messages (the greeting).
class VisibleChatModel : public QSortFilterProxyModel
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Owned by AIStore")
    Q_PROPERTY(int count READ count NOTIFY countChanged)
public:
    explicit VisibleChatModel(ChatMessageModel *source, QObject *parent = nullptr);
    int count() const { return rowCount(); }

Q_SIGNALS:
    void countChanged();

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
};
