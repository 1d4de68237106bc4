// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QJsonValue>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QThreadPool>
#include <optional>
#include <variant>

// The preference store: typed values under string keys, kept in memory and
// mirrored to one JSON file. The file is written atomically with mode 0600
// (it holds the AI key) on a background thread, so the UI never waits on the
// disk; writes are applied in order and only the newest snapshot is written.
class KeyValueStore : public QObject
{
    Q_OBJECT
public:
    // Reads `filePath` synchronously (a few kilobytes, once at start). A missing
    // file is empty; an unreadable or corrupt one also reads as empty and is
    // moved aside before the first write replaces it.
    explicit KeyValueStore(const QString &filePath, QObject *parent = nullptr);
    ~KeyValueStore() override;

    // $XDG_CONFIG_HOME/brivane/preferences.json (default ~/.config).
    static QString defaultFilePath();

    std::optional<QByteArray> data(const QString &key) const;
    std::optional<QString> string(const QString &key) const;
    std::optional<QStringList> stringArray(const QString &key) const;
    bool contains(const QString &key) const;

    void setData(const QString &key, const QByteArray &value);
    void setString(const QString &key, const QString &value);
    void setStringArray(const QString &key, const QStringList &value);
    void remove(const QString &key);

    QString filePath() const { return m_filePath; }
    // Path the unreadable file was moved to, empty when nothing was moved.
    QString movedAsidePath() const;

    // Blocks until every queued write has reached the disk (exit, tests).
    void flush();

    // Parses a preferences file image. Returns nullopt when it is not a JSON
    // object (garbage, truncated, binary); used by the loader and the fuzzer.
    static std::optional<QJsonObject> parse(const QByteArray &bytes);

Q_SIGNALS:
    // Emitted on the UI thread when a write failed (disk full, read-only home).
    void writeFailed(const QString &reason);

private:
    // Values are kept in their own types (shared, so a snapshot is cheap);
    // anything else read from the file is kept as it was, to be written back.
    using Value = std::variant<QByteArray, QString, QStringList, QJsonValue>;
    using Values = QHash<QString, Value>;
    static Values fromJson(const QJsonObject &object);
    static QByteArray toJson(const Values &values);

    void scheduleWrite();
    void writePending();

    QString m_filePath;
    Values m_values;
    QThreadPool m_writer;

    mutable QMutex m_mutex; // guards the fields below, shared with the writer
    std::optional<Values> m_pending;
    bool m_moveAside = false;
    QString m_movedAsidePath;
};
