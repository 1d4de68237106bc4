// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "NewestRowsModel.h"
#include "NotesStore.h"

#include <QPointer>
#include <QtQml/qqmlregistration.h>

// The newest notes of a NotesStore as rows: the note's id, a bounded preview
// of its text, and its date as time of day and as date in the user's locale.
class NotesModel : public NewestRowsModel
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(NotesStore *store READ store WRITE setStore NOTIFY storeChanged)
    // Longest text handed to a row; rows show a few lines at most.
    Q_PROPERTY(int previewLength READ previewLength WRITE setPreviewLength NOTIFY previewLengthChanged)
public:
    enum Role {
        IdRole = Qt::UserRole + 1,
        TextRole,
        DateRole,
        TimeTextRole,
        DateTextRole,
    };
    Q_ENUM(Role)

    explicit NotesModel(QObject *parent = nullptr);

    NotesStore *store() const { return m_store; }
    void setStore(NotesStore *store);
    int previewLength() const { return m_previewLength; }
    void setPreviewLength(int length);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    // "14:05" style time and "06/12/2026" style date in the user's locale;
    // empty for a date that cannot be shown.
    static QString timeText(double referenceSeconds);
    static QString dateText(double referenceSeconds);

Q_SIGNALS:
    void storeChanged();
    void previewLengthChanged();

protected:
    int sourceCount() const override;

private:
    QPointer<NotesStore> m_store;
    int m_previewLength = 600;
};
