// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QStringList>
#include <QtQml/qqmlregistration.h>
#include <memory>

class ClipboardAccess;
class KeyValueStore;

// Recent plain-text clipboard contents, newest first, recorded only when the
// user asks (capture) and saved after every change under "brivane_clip" as a
// string array. Entries are kept whole, however long.
class ClipboardStore : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Created by the application delegate")
    Q_PROPERTY(int count READ count NOTIFY countChanged)
public:
    // Uses the system clipboard.
    explicit ClipboardStore(KeyValueStore &preferences, QObject *parent = nullptr);
    // Uses `clipboard`, which must outlive the store.
    ClipboardStore(KeyValueStore &preferences, ClipboardAccess &clipboard, QObject *parent = nullptr);
    ~ClipboardStore() override;

    const QStringList &items() const { return m_items; }
    int count() const { return int(m_items.size()); }

    // Records the clipboard's text at the front, unless there is none, it is
    // empty or it equals the current first entry. Keeps at most `cap`
    // entries by dropping the oldest one (a longer stored list stays long).
    Q_INVOKABLE void capture();
    // Puts `item` on the clipboard as plain text; the list is unchanged.
    Q_INVOKABLE void paste(const QString &item);
    // The same for the entry at `index`, so views need not carry whole
    // entries around; an index outside the list does nothing.
    Q_INVOKABLE void pasteAt(int index);
    // Removes the entry at `index`; an index outside the list does nothing.
    Q_INVOKABLE void deleteAt(int index);

    static constexpr int cap = 20;
    static const QString key;

Q_SIGNALS:
    void countChanged();
    // Fine-grained changes for list models, around each change of the list:
    // an entry is only ever inserted at index 0.
    void aboutToAdd();
    void added();
    void aboutToRemove(int index);
    void removed(int index);

private:
    void removeAt(int index);
    void save();

    KeyValueStore &m_preferences;
    std::unique_ptr<ClipboardAccess> m_ownClipboard;
    ClipboardAccess &m_clipboard;
    QStringList m_items;
};
