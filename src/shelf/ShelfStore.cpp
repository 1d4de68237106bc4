// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ShelfStore.h"

#include "ShelfIconProvider.h"
#include "platform/FileLauncher.h"
#include "platform/KeyValueStore.h"

#include <QDir>
#include <QDrag>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QMimeDatabase>
#include <QScopeGuard>
#include <algorithm>

const QString ShelfStore::key = QStringLiteral("brivane_shelf");

ShelfStore::ShelfStore(KeyValueStore &preferences, QObject *parent)
    : QObject(parent)
    , m_preferences(preferences)
{
    m_looker.setMaxThreadCount(1);
    // Read back as they were stored; what the file holds is as untrusted as
    // a drop, and only as many as the shelf keeps are looked at.
    QList<QUrl> urls;
    for (const QString &text : m_preferences.stringArray(key).value_or(QStringList())) {
        if (urls.size() == cap)
            break;
        const QUrl url = localFile(QUrl(text, QUrl::StrictMode));
        if (!url.isEmpty() && !urls.contains(url))
            urls.append(url);
    }
    for (const QUrl &url : std::as_const(urls))
        m_entries.append(entryFor(url, look(url.toLocalFile())));
}

ShelfStore::~ShelfStore()
{
    m_looker.clear();
    m_looker.waitForDone();
}

QUrl ShelfStore::localFile(const QUrl &url)
{
    if (!url.isValid() || !url.isLocalFile())
        return {};
    // file://otherhost/... names another machine's file.
    if (!url.host().isEmpty() && url.host().compare(QLatin1String("localhost"), Qt::CaseInsensitive) != 0)
        return {};
    const QString path = url.toLocalFile();
    if (path.isEmpty() || !QDir::isAbsolutePath(path) || path.contains(QChar(0)))
        return {};
    return QUrl::fromLocalFile(QDir::cleanPath(path));
}

bool ShelfStore::wants(const QMimeData *data)
{
    return data && (data->hasUrls() || data->hasText());
}

Qt::DropAction ShelfStore::dropAction(Qt::DropActions possible)
{
    if (possible & Qt::LinkAction)
        return Qt::LinkAction;
    if (possible & Qt::CopyAction)
        return Qt::CopyAction;
    return Qt::IgnoreAction;
}

ShelfStore::Found ShelfStore::look(const QString &path)
{
    const QFileInfo info(path);
    Found found;
    found.path = path;
    found.exists = info.exists();
    found.isDir = info.isDir();
    found.size = found.isDir ? 0 : info.size();
    return found;
}

ShelfStore::Entry ShelfStore::entryFor(const QUrl &url, const Found &found)
{
    Entry entry;
    entry.url = url;
    entry.path = found.path;
    entry.name = QFileInfo(found.path).fileName();
    if (entry.name.isEmpty())
        entry.name = found.path;
    entry.isDir = found.isDir;
    entry.size = found.size;
    entry.missing = !found.exists;
    // By name only: reading a file's content to tell its type would wait on
    // the disk.
    entry.mimeType = found.isDir
        ? QStringLiteral("inode/directory")
        : QMimeDatabase().mimeTypeForFile(found.path, QMimeDatabase::MatchExtension).name();
    return entry;
}

void ShelfStore::changing(const std::function<void()> &change)
{
    const int countBefore = count();
    const bool shownBefore = shown();
    change();
    Q_EMIT entriesChanged();
    if (count() != countBefore)
        Q_EMIT countChanged();
    if (shown() != shownBefore)
        Q_EMIT shownChanged();
}

int ShelfStore::add(const QList<QUrl> &urls)
{
    // A drop may carry any number of URIs: only the first files the shelf
    // can hold are looked at.
    QList<QUrl> files;
    for (const QUrl &url : urls) {
        const QUrl file = localFile(url);
        if (!file.isEmpty() && !files.contains(file))
            files.append(file);
        if (files.size() == cap)
            break;
    }
    if (files.isEmpty())
        return 0;
    changing([&] {
        for (auto it = files.crbegin(); it != files.crend(); ++it) {
            m_entries.removeIf([&](const Entry &entry) { return entry.url == *it; });
            m_entries.prepend(entryFor(*it, look(it->toLocalFile())));
        }
        while (m_entries.size() > cap)
            m_entries.removeLast();
    });
    save();
    return int(files.size());
}

int ShelfStore::drop(const QMimeData *data)
{
    // The drag is over once what it brought is in: the tab stays meanwhile.
    const auto over = qScopeGuard([this] { setDragOver(false); });
    if (!data)
        return 0;
    const QList<QUrl> urls = data->urls();
    const int added = add(urls);
    const bool allFiles = !urls.isEmpty()
        && std::all_of(urls.cbegin(), urls.cend(), [](const QUrl &url) { return !localFile(url).isEmpty(); });
    if (urls.isEmpty())
        setNotice(tr("Only files go on the shelf, not text."));
    else if (added == 0)
        setNotice(tr("Only files on this computer go on the shelf, not links."));
    else if (!allFiles)
        setNotice(tr("Only the files went on the shelf, not the links."));
    else
        setNotice(QString());
    return added;
}

void ShelfStore::setDragOver(bool over)
{
    if (over == m_dragOver)
        return;
    const bool shownBefore = shown();
    m_dragOver = over;
    // A new drag makes the last one's notice old news.
    const bool noticeGone = over && !m_notice.isEmpty();
    if (noticeGone)
        m_notice.clear();
    Q_EMIT dragOverChanged();
    if (noticeGone)
        Q_EMIT noticeChanged();
    if (shown() != shownBefore)
        Q_EMIT shownChanged();
}

void ShelfStore::setDraggingOut(bool dragging)
{
    if (dragging == m_draggingOut)
        return;
    m_draggingOut = dragging;
    Q_EMIT draggingOutChanged();
}

void ShelfStore::setNotice(const QString &notice)
{
    if (notice == m_notice)
        return;
    const bool shownBefore = shown();
    m_notice = notice;
    Q_EMIT noticeChanged();
    if (shown() != shownBefore)
        Q_EMIT shownChanged();
}

void ShelfStore::setCardOpen(bool open)
{
    if (!open) {
        setDragOver(false);
        setNotice(QString());
        return;
    }
    if (m_entries.isEmpty())
        return;
    QStringList paths;
    for (const Entry &entry : std::as_const(m_entries))
        paths.append(entry.path);
    // A file on a slow or vanished mount may take long to answer; the card
    // opens meanwhile and the rows follow when it does. A later look
    // replaces one not yet begun.
    m_looker.clear();
    m_looker.start([this, paths] {
        QList<Found> found;
        for (const QString &path : paths)
            found.append(look(path));
        // The store waits for this task before it goes, so it is still there.
        QMetaObject::invokeMethod(
            this, [this, found] { applyFound(found); }, Qt::QueuedConnection);
    });
}

void ShelfStore::applyFound(const QList<Found> &found)
{
    // The list may have changed while the files were looked for: answers are
    // matched by path.
    for (const Found &f : found) {
        for (int i = 0; i < m_entries.size(); ++i) {
            Entry &entry = m_entries[i];
            if (entry.path != f.path)
                continue;
            if (entry.missing == !f.exists && entry.isDir == f.isDir && entry.size == f.size)
                break;
            entry.missing = !f.exists;
            entry.isDir = f.isDir;
            entry.size = f.size;
            Q_EMIT entryChanged(i);
            break;
        }
    }
}

void ShelfStore::removeAt(int index)
{
    if (index < 0 || index >= m_entries.size())
        return;
    changing([&] { m_entries.removeAt(index); });
    save();
}

void ShelfStore::openAt(int index)
{
    if (index < 0 || index >= m_entries.size() || m_entries.at(index).missing)
        return;
    FileLauncher::open(m_entries.at(index).url);
}

void ShelfStore::dragOut(int index)
{
    if (index < 0 || index >= m_entries.size() || m_entries.at(index).missing || m_draggingOut)
        return;
    const Entry &entry = m_entries.at(index);
    // The store, not the row, owns the drag: the row may go while it runs.
    auto *drag = new QDrag(this);
    auto *data = new QMimeData;
    data->setUrls({ entry.url });
    drag->setMimeData(data);
    drag->setPixmap(ShelfIconProvider::icon(entry.mimeType, ShelfIconProvider::defaultSize));
    setDraggingOut(true);
    drag->exec(Qt::CopyAction | Qt::LinkAction, Qt::CopyAction);
    setDraggingOut(false);
    // On X11 the drop's target asks for the data after this returns, and Qt
    // deletes the drag once it is done with it; elsewhere it is over now.
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        drag->deleteLater();
}

void ShelfStore::save()
{
    QStringList urls;
    for (const Entry &entry : std::as_const(m_entries))
        urls.append(QString::fromUtf8(entry.url.toEncoded()));
    m_preferences.setStringArray(key, urls);
}
