// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QUuid>
#include <QtQml/qqmlregistration.h>
#include <functional>
#include <optional>

class KeyValueStore;

// The user's quick notes, newest first, saved after every change under
// "brivane_notes" as a compact JSON array of {"id","text","date"} objects
// (dates in seconds since 2001-01-01 00:00:00 UTC).
class NotesStore : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Created by the application delegate")
    Q_PROPERTY(int count READ count NOTIFY countChanged)
public:
    struct Note
    {
        QUuid id;
        QString text;
        double date = 0; // seconds since 2001-01-01 00:00:00 UTC

        bool operator==(const Note &) const = default;
    };

    explicit NotesStore(KeyValueStore &preferences, QObject *parent = nullptr);

    const QList<Note> &notes() const { return m_notes; }
    int count() const { return int(m_notes.size()); }

    // Adds a note with `text` unchanged, a fresh id and the current time.
    Q_INVOKABLE void add(const QString &text);
    // What the notes panel's input does: trims white space and line breaks
    // from both ends and adds the rest; an empty result adds nothing.
    // Returns whether a note was added (the panel then clears its field).
    Q_INVOKABLE bool addFromInput(const QString &input);
    // Removes the note with this id (in canonical text form, either case).
    // An unknown id changes nothing but still rewrites the stored list.
    Q_INVOKABLE void deleteNote(const QString &id);
    void deleteNote(const QUuid &id);

    // The stored form, and its reader: any member order, the id in either
    // case; any malformed element fails the whole list. JSON has no
    // infinities, so a date that is not finite fails the encoding.
    static std::optional<QByteArray> encode(const QList<Note> &notes);
    static std::optional<QList<Note>> decode(const QByteArray &bytes);

    // Seconds since 2001-01-01 00:00:00 UTC <-> local date and time; dates
    // too far out to represent give an invalid QDateTime.
    static QDateTime dateTimeFrom(double referenceSeconds);

    // Now, in seconds since 2001-01-01 00:00:00 UTC.
    static double now();
    // Tests pin the time that `add` stamps (same unit as `now`).
    void setClock(std::function<double()> clock) { m_clock = std::move(clock); }

    static const QString key;
    // Where an unreadable stored list is kept when the first save replaces it.
    static const QString unreadableKey;

Q_SIGNALS:
    void countChanged();
    // Fine-grained changes for list models, around each change of the list:
    // a note is only ever added at index 0.
    void aboutToAdd();
    void added();
    void aboutToRemove(int index);
    void removed(int index);

private:
    void save();

    KeyValueStore &m_preferences;
    QList<Note> m_notes;
    std::function<double()> m_clock;
    // The stored value that could not be read, until a save sets it aside.
    std::optional<QByteArray> m_unreadable;
};
