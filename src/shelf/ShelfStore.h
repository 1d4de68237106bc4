// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QUrl>
#include <QtQml/qqmlregistration.h>
#include <functional>

class KeyValueStore;
class QMimeData;

// Files put aside by dropping them onto the strip: references (their
// URIs), never copies, newest first, at most `cap` of them. Saved after
// every change under "brivane_shelf" as a string array of file URIs. A file
// moved or deleted since stays listed, as missing, until it is removed.
class ShelfStore : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Created by the application delegate")
    Q_PROPERTY(int count READ count NOTIFY countChanged)
    // A drag the shelf would take is over the card.
    Q_PROPERTY(bool dragOver READ dragOver NOTIFY dragOverChanged)
    // A row is being dragged out of the card; the card stays open meanwhile.
    Q_PROPERTY(bool draggingOut READ draggingOut NOTIFY draggingOutChanged)
    // Why the last drop added nothing, or not all of it; empty otherwise.
    Q_PROPERTY(QString notice READ notice NOTIFY noticeChanged)
    // Whether the card has a Shelf tab: while the shelf holds something, a
    // drag is over the card, or there is a notice to read.
    Q_PROPERTY(bool shown READ shown NOTIFY shownChanged)
public:
    struct Entry
    {
        QUrl url;
        QString path;
        QString name;
        QString mimeType;
        qint64 size = 0;
        bool isDir = false;
        bool missing = false;
    };

    explicit ShelfStore(KeyValueStore &preferences, QObject *parent = nullptr);
    ~ShelfStore() override;

    const QList<Entry> &entries() const { return m_entries; }
    int count() const { return int(m_entries.size()); }
    bool dragOver() const { return m_dragOver; }
    bool draggingOut() const { return m_draggingOut; }
    QString notice() const { return m_notice; }
    bool shown() const { return !m_entries.isEmpty() || m_dragOver || !m_notice.isEmpty(); }

    // `url` as the shelf keeps it: a file on this computer, its path made
    // clean; an empty URL for anything else (web links, other hosts).
    static QUrl localFile(const QUrl &url);
    // Whether a drag offers anything the shelf answers: files, or links and
    // text it explains it cannot take.
    static bool wants(const QMimeData *data);
    // A drop makes a reference where the source allows it, else a copy;
    // never a move, after which the source might delete what it gave.
    static Qt::DropAction dropAction(Qt::DropActions possible);

    // Puts the local files among `urls` at the top, in the order given; one
    // already there moves up instead. Returns how many went on the shelf.
    int add(const QList<QUrl> &urls);
    // A drop: the files it carries go on the shelf, and the notice says why
    // anything else did not. Returns how many went on the shelf.
    int drop(const QMimeData *data);
    void setDragOver(bool over);
    // The card opened (files are looked for again, off this thread) or
    // closed (a drag or notice of this visit is over).
    void setCardOpen(bool open);

    Q_INVOKABLE void removeAt(int index);
    // Opens the file with the desktop's default application; a missing one
    // is not tried.
    Q_INVOKABLE void openAt(int index);
    // Drags the file out as its URI (text/uri-list), for a file manager, a
    // browser's upload field or a mail; returns once it is dropped or given
    // up.
    Q_INVOKABLE void dragOut(int index);

    static constexpr int cap = 50;
    static const QString key;

Q_SIGNALS:
    void countChanged();
    void dragOverChanged();
    void draggingOutChanged();
    void noticeChanged();
    void shownChanged();
    // The list changed in order or length; entryChanged tells of one
    // entry's details (missing, size) changing in place.
    void entriesChanged();
    void entryChanged(int index);

private:
    struct Found
    {
        QString path;
        bool exists = false;
        bool isDir = false;
        qint64 size = 0;
    };
    static Found look(const QString &path);
    static Entry entryFor(const QUrl &url, const Found &found);
    void applyFound(const QList<Found> &found);
    void setNotice(const QString &notice);
    void setDraggingOut(bool dragging);
    void changing(const std::function<void()> &change);
    void save();

    KeyValueStore &m_preferences;
    QList<Entry> m_entries;
    bool m_dragOver = false;
    bool m_draggingOut = false;
    QString m_notice;
    // Looks for the files while the card opens; waited for on destruction,
    // so no answer outlives the store.
    QThreadPool m_looker;
};
