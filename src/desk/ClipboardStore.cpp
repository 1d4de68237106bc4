// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ClipboardStore.h"

#include "platform/Clipboard.h"
#include "platform/KeyValueStore.h"

const QString ClipboardStore::key = QStringLiteral("brivane_clip");

ClipboardStore::ClipboardStore(KeyValueStore &preferences, QObject *parent)
    : QObject(parent)
    , m_preferences(preferences)
    , m_ownClipboard(std::make_unique<SystemClipboard>())
    , m_clipboard(*m_ownClipboard)
{
    m_items = m_preferences.stringArray(key).value_or(QStringList());
}

ClipboardStore::ClipboardStore(KeyValueStore &preferences, ClipboardAccess &clipboard, QObject *parent)
    : QObject(parent)
    , m_preferences(preferences)
    , m_clipboard(clipboard)
{
    m_items = m_preferences.stringArray(key).value_or(QStringList());
}

ClipboardStore::~ClipboardStore() = default;

void ClipboardStore::capture()
{
    const std::optional<QString> text = m_clipboard.text();
    if (!text || text->isEmpty())
        return;
    if (!m_items.isEmpty() && m_items.constFirst() == *text)
        return;
    Q_EMIT aboutToAdd();
    m_items.prepend(*text);
    Q_EMIT added();
    // One entry out for one in: a list stored longer than the cap keeps its
    // length instead of being cut down.
    if (m_items.size() > cap)
        removeAt(int(m_items.size()) - 1);
    Q_EMIT countChanged();
    save();
}

void ClipboardStore::paste(const QString &item)
{
    m_clipboard.setText(item);
}

void ClipboardStore::pasteAt(int index)
{
    if (index < 0 || index >= m_items.size())
        return;
    paste(m_items.at(index));
}

void ClipboardStore::deleteAt(int index)
{
    if (index < 0 || index >= m_items.size())
        return;
    removeAt(index);
    Q_EMIT countChanged();
    save();
}

void ClipboardStore::removeAt(int index)
{
    Q_EMIT aboutToRemove(index);
    m_items.removeAt(index);
    Q_EMIT removed(index);
}

void ClipboardStore::save()
{
    m_preferences.setStringArray(key, m_items);
}
