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
        m_values = *parsed;
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

std::optional<QByteArray> KeyValueStore::data(const QString &key) const
{
    const QJsonValue v = m_values.value(key);
    if (!v.isObject())
        return std::nullopt;
    const QJsonValue b64 = v.toObject().value(kBlobMember);
    if (!b64.isString())
        return std::nullopt;
    const auto decoded = QByteArray::fromBase64Encoding(b64.toString().toLatin1(),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return std::nullopt;
    return decoded.decoded;
}

std::optional<QString> KeyValueStore::string(const QString &key) const
{
    const QJsonValue v = m_values.value(key);
    if (!v.isString())
        return std::nullopt;
    return v.toString();
}

std::optional<QStringList> KeyValueStore::stringArray(const QString &key) const
{
    const QJsonValue v = m_values.value(key);
    if (!v.isArray())
        return std::nullopt;
    QStringList out;
    const QJsonArray array = v.toArray();
    out.reserve(array.size());
    for (const QJsonValue &item : array) {
        if (!item.isString())
            return std::nullopt;
        out.append(item.toString());
    }
    return out;
}

bool KeyValueStore::contains(const QString &key) const
{
    return m_values.contains(key);
}

void KeyValueStore::setData(const QString &key, const QByteArray &value)
{
    m_values.insert(key, QJsonObject{{kBlobMember, QString::fromLatin1(value.toBase64())}});
    scheduleWrite();
}

void KeyValueStore::setString(const QString &key, const QString &value)
{
    m_values.insert(key, value);
    scheduleWrite();
}

void KeyValueStore::setStringArray(const QString &key, const QStringList &value)
{
    m_values.insert(key, QJsonArray::fromStringList(value));
    scheduleWrite();
}

void KeyValueStore::remove(const QString &key)
{
    if (!m_values.contains(key))
        return;
    m_values.remove(key);
    scheduleWrite();
}

QString KeyValueStore::movedAsidePath() const
{
    QMutexLocker lock(&m_mutex);
    return m_movedAsidePath;
}

void KeyValueStore::scheduleWrite()
{
    const QByteArray bytes = QJsonDocument(m_values).toJson(QJsonDocument::Indented);
    bool start = false;
    {
        QMutexLocker lock(&m_mutex);
        start = !m_pending.has_value();
        m_pending = bytes;
    }
    // One task drains the newest snapshot; later changes only replace it.
    if (start)
        m_writer.start([this] { writePending(); });
}

void KeyValueStore::writePending()
{
    QByteArray bytes;
    bool moveAside = false;
    {
        QMutexLocker lock(&m_mutex);
        if (!m_pending)
            return;
        bytes = *m_pending;
        m_pending.reset();
        moveAside = m_moveAside;
    }

    QString failure;
    const QFileInfo info(m_filePath);
    QDir().mkpath(info.absolutePath());
    QFile::setPermissions(info.absolutePath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

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
        QMetaObject::invokeMethod(this, [this, failure] { Q_EMIT writeFailed(failure); }, Qt::QueuedConnection);
}

void KeyValueStore::flush()
{
    m_writer.waitForDone();
}
