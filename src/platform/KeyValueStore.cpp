// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "KeyValueStore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMetaObject>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

// Data blobs are stored as {"base64": "..."} so that they can never be
// mistaken for a string value.
const QLatin1String kBlobMember("base64");

} // namespace

KeyValueStore::KeyValueStore(const QString &filePath, QObject *parent)
    : QObject(parent)
    , m_filePath(filePath)
{
    m_writer.setMaxThreadCount(1);
    m_writer.setExpiryTimeout(2000);

    QFile file(m_filePath);
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly)) {
        m_moveAside = true;
        return;
    }
    const auto parsed = parse(file.readAll());
    if (parsed)
        m_values = fromJson(*parsed);
    else
        m_moveAside = true;
}

KeyValueStore::~KeyValueStore()
{
    flush();
}

QString KeyValueStore::defaultFilePath()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/brivane/preferences.json");
}

std::optional<QJsonObject> KeyValueStore::parse(const QByteArray &bytes)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return std::nullopt;
    return doc.object();
}

KeyValueStore::Values KeyValueStore::fromJson(const QJsonObject &object)
{
    Values values;
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QJsonValue v = it.value();
        if (v.isString()) {
            values.insert(it.key(), v.toString());
            continue;
        }
        if (v.isArray()) {
            const QJsonArray array = v.toArray();
            QStringList list;
            list.reserve(array.size());
            bool allStrings = true;
            for (const QJsonValue &item : array) {
                allStrings = allStrings && item.isString();
                list.append(item.toString());
            }
            if (allStrings) {
                values.insert(it.key(), list);
                continue;
            }
        }
        if (v.isObject() && v.toObject().size() == 1 && v.toObject().value(kBlobMember).isString()) {
            const auto decoded
                = QByteArray::fromBase64Encoding(v.toObject().value(kBlobMember).toString().toLatin1(),
                    QByteArray::AbortOnBase64DecodingErrors);
            if (decoded) {
                values.insert(it.key(), decoded.decoded);
                continue;
            }
        }
        values.insert(it.key(), v);
    }
    return values;
}

QByteArray KeyValueStore::toJson(const Values &values)
{
    QJsonObject object;
    for (auto it = values.begin(); it != values.end(); ++it) {
        const Value &value = it.value();
        if (const auto *blob = std::get_if<QByteArray>(&value))
            object.insert(it.key(), QJsonObject { { kBlobMember, QString::fromLatin1(blob->toBase64()) } });
        else if (const auto *text = std::get_if<QString>(&value))
            object.insert(it.key(), *text);
        else if (const auto *list = std::get_if<QStringList>(&value))
            object.insert(it.key(), QJsonArray::fromStringList(*list));
        else
            object.insert(it.key(), std::get<QJsonValue>(value));
    }
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

std::optional<QByteArray> KeyValueStore::data(const QString &key) const
{
    const auto it = m_values.constFind(key);
    if (it == m_values.constEnd() || !std::holds_alternative<QByteArray>(*it))
        return std::nullopt;
    return std::get<QByteArray>(*it);
}

std::optional<QString> KeyValueStore::string(const QString &key) const
{
    const auto it = m_values.constFind(key);
    if (it == m_values.constEnd() || !std::holds_alternative<QString>(*it))
        return std::nullopt;
    return std::get<QString>(*it);
}

std::optional<QStringList> KeyValueStore::stringArray(const QString &key) const
{
    const auto it = m_values.constFind(key);
    if (it == m_values.constEnd() || !std::holds_alternative<QStringList>(*it))
        return std::nullopt;
    return std::get<QStringList>(*it);
}

bool KeyValueStore::contains(const QString &key) const
{
    return m_values.contains(key);
}

void KeyValueStore::setData(const QString &key, const QByteArray &value)
{
    m_values.insert(key, value);
    scheduleWrite();
}

void KeyValueStore::setString(const QString &key, const QString &value)
{
    m_values.insert(key, value);
    scheduleWrite();
}

void KeyValueStore::setStringArray(const QString &key, const QStringList &value)
{
    m_values.insert(key, value);
    scheduleWrite();
}

void KeyValueStore::remove(const QString &key)
{
    if (m_values.remove(key) == 0)
        return;
    scheduleWrite();
}

QString KeyValueStore::movedAsidePath() const
{
    QMutexLocker lock(&m_mutex);
    return m_movedAsidePath;
}

void KeyValueStore::scheduleWrite()
{
    // A copy of the values is cheap (shared until the next change); turning
    // them into text can take long for megabytes of history, so the writer
    // does that.
    bool start = false;
    {
        QMutexLocker lock(&m_mutex);
        start = !m_pending.has_value();
        m_pending = m_values;
    }
    // One task drains the newest snapshot; later changes only replace it.
    if (start)
        m_writer.start([this] { writePending(); });
}

void KeyValueStore::writePending()
{
    Values snapshot;
    bool moveAside = false;
    {
        QMutexLocker lock(&m_mutex);
        if (!m_pending)
            return;
        snapshot = *m_pending;
        m_pending.reset();
        moveAside = m_moveAside;
    }
    const QByteArray bytes = toJson(snapshot);

    QString failure;
    const QFileInfo info(m_filePath);
    QDir().mkpath(info.absolutePath());
    QFile::setPermissions(
        info.absolutePath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    QString movedTo;
    if (moveAside && QFile::exists(m_filePath)) {
        // Keep what we could not read: it may be the user's only copy.
        movedTo = m_filePath + QStringLiteral(".unreadable-")
            + QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-hhmmss"));
        if (!QFile::rename(m_filePath, movedTo))
            failure = QStringLiteral("could not move the unreadable preferences file aside");
    }

    if (failure.isEmpty()) {
        QSaveFile file(m_filePath);
        if (!file.open(QIODevice::WriteOnly))
            failure = file.errorString();
        else {
            file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
            file.write(bytes);
            if (!file.commit())
                failure = file.errorString();
        }
    }

    {
        QMutexLocker lock(&m_mutex);
        if (!movedTo.isEmpty() && failure.isEmpty()) {
            m_moveAside = false;
            m_movedAsidePath = movedTo;
        }
    }
    if (!failure.isEmpty())
        QMetaObject::invokeMethod(
            this, [this, failure] { Q_EMIT writeFailed(failure); }, Qt::QueuedConnection);
}

void KeyValueStore::flush()
{
    m_writer.waitForDone();
}
