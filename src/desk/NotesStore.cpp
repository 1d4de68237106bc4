// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "NotesStore.h"

#include "platform/KeyValueStore.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimeZone>
#include <charconv>
#include <chrono>
#include <cmath>

const QString NotesStore::key = QStringLiteral("brivane_notes");
const QString NotesStore::unreadableKey = QStringLiteral("brivane_notes_unreadable");

namespace {

// 2001-01-01 00:00:00 UTC in seconds since the Unix epoch.
constexpr double kReferenceEpoch = 978307200.0;

void appendJsonString(QByteArray &out, const QString &text)
{
    static const char hex[] = "0123456789abcdef";
    auto escapeUnit = [&out](char16_t u) {
        out += "\\u";
        out += hex[(u >> 12) & 0xF];
        out += hex[(u >> 8) & 0xF];
        out += hex[(u >> 4) & 0xF];
        out += hex[u & 0xF];
    };
    out += '"';
    const qsizetype n = text.size();
    qsizetype plainStart = 0;
    auto flushPlain = [&](qsizetype end) {
        if (end > plainStart)
            out += QStringView(text).mid(plainStart, end - plainStart).toUtf8();
    };
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = text.at(i).unicode();
        const char *escape = nullptr;
        switch (u) {
        case u'"':
            escape = "\\\"";
            break;
        case u'\\':
            escape = "\\\\";
            break;
        case u'\b':
            escape = "\\b";
            break;
        case u'\f':
            escape = "\\f";
            break;
        case u'\n':
            escape = "\\n";
            break;
        case u'\r':
            escape = "\\r";
            break;
        case u'\t':
            escape = "\\t";
            break;
        default:
            break;
        }
        if (escape) {
            flushPlain(i);
            out += escape;
            plainStart = i + 1;
            continue;
        }
        const bool control = u < 0x20;
        // A surrogate without its partner cannot be written as UTF-8; an
        // escape keeps it instead of turning it into U+FFFD.
        bool loneSurrogate = false;
        if (QChar::isHighSurrogate(u))
            loneSurrogate = i + 1 >= n || !QChar::isLowSurrogate(text.at(i + 1).unicode());
        else if (QChar::isLowSurrogate(u))
            loneSurrogate = i == 0 || !QChar::isHighSurrogate(text.at(i - 1).unicode());
        if (control || loneSurrogate) {
            flushPlain(i);
            escapeUnit(u);
            plainStart = i + 1;
        }
    }
    flushPlain(n);
    out += '"';
}

void appendJsonNumber(QByteArray &out, double value)
{
    // Shortest text that reads back as the same double, without an exponent.
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (result.ec == std::errc())
        out.append(buffer, result.ptr - buffer);
    else
        out += QByteArray::number(value, 'g', QLocale::FloatingPointShortest);
}

bool isCanonicalUuid(const QString &text)
{
    if (text.size() != 36)
        return false;
    for (int i = 0; i < 36; ++i) {
        const QChar c = text.at(i);
        if (i == 8 || i == 13 || i == 18 || i == 23) {
            if (c != u'-')
                return false;
        } else if (!(c.isDigit() && c.unicode() < 128) && !(c >= u'a' && c <= u'f')
            && !(c >= u'A' && c <= u'F')) {
            return false;
        }
    }
    return true;
}

} // namespace

NotesStore::NotesStore(KeyValueStore &preferences, QObject *parent)
    : QObject(parent)
    , m_preferences(preferences)
    , m_clock(&NotesStore::now)
{
    if (const auto stored = m_preferences.data(key)) {
        if (auto decoded = decode(*stored))
            m_notes = std::move(*decoded);
        else
            m_unreadable = *stored;
    } else if (m_preferences.contains(key)) {
        // Not a data blob: unreadable too, but still worth keeping.
        if (const auto text = m_preferences.string(key))
            m_unreadable = text->toUtf8();
        else if (const auto list = m_preferences.stringArray(key))
            m_unreadable = QJsonDocument(QJsonArray::fromStringList(*list)).toJson(QJsonDocument::Compact);
    }
}

double NotesStore::now()
{
    using namespace std::chrono;
    const auto sinceEpoch = duration_cast<microseconds>(system_clock::now().time_since_epoch());
    return double(sinceEpoch.count()) / 1e6 - kReferenceEpoch;
}

QDateTime NotesStore::dateTimeFrom(double referenceSeconds)
{
    const double unixSeconds = referenceSeconds + kReferenceEpoch;
    // Beyond about 3 million years either way: no calendar date worth showing,
    // and the conversion to milliseconds would overflow.
    if (!std::isfinite(unixSeconds) || std::fabs(unixSeconds) > 1e14)
        return {};
    return QDateTime::fromMSecsSinceEpoch(qint64(std::floor(unixSeconds * 1000.0)), QTimeZone::utc());
}

void NotesStore::add(const QString &text)
{
    Note note { QUuid::createUuid(), text, m_clock() };
    Q_EMIT aboutToAdd();
    m_notes.prepend(std::move(note));
    Q_EMIT added();
    Q_EMIT countChanged();
    save();
}

bool NotesStore::addFromInput(const QString &input)
{
    const QString trimmed = input.trimmed();
    if (trimmed.isEmpty())
        return false;
    add(trimmed);
    return true;
}

void NotesStore::deleteNote(const QString &id)
{
    // Ids come from our own rows; anything else matches no note.
    deleteNote(isCanonicalUuid(id) ? QUuid::fromString(id) : QUuid());
}

void NotesStore::deleteNote(const QUuid &id)
{
    bool any = false;
    for (int i = int(m_notes.size()) - 1; i >= 0; --i) {
        if (!id.isNull() && m_notes.at(i).id == id) {
            Q_EMIT aboutToRemove(i);
            m_notes.removeAt(i);
            Q_EMIT removed(i);
            any = true;
        }
    }
    if (any)
        Q_EMIT countChanged();
    save();
}

void NotesStore::save()
{
    if (m_unreadable) {
        // The value we could not read may be the user's only copy of their
        // notes: keep it under a key of its own before it is replaced.
        QString aside = unreadableKey;
        for (int n = 2; m_preferences.contains(aside) && m_preferences.data(aside) != m_unreadable; ++n)
            aside = unreadableKey + QLatin1Char('_') + QString::number(n);
        m_preferences.setData(aside, *m_unreadable);
        m_unreadable.reset();
    }
    // Should encoding fail, the stored list stays as it was.
    if (const auto bytes = encode(m_notes))
        m_preferences.setData(key, *bytes);
}

std::optional<QByteArray> NotesStore::encode(const QList<Note> &notes)
{
    QByteArray out;
    out += '[';
    bool first = true;
    for (const Note &note : notes) {
        if (!std::isfinite(note.date))
            return std::nullopt;
        if (!first)
            out += ',';
        first = false;
        out += "{\"id\":\"";
        out += note.id.toByteArray(QUuid::WithoutBraces).toUpper();
        out += "\",\"text\":";
        appendJsonString(out, note.text);
        out += ",\"date\":";
        appendJsonNumber(out, note.date);
        out += '}';
    }
    out += ']';
    return out;
}

std::optional<QList<NotesStore::Note>> NotesStore::decode(const QByteArray &bytes)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !doc.isArray())
        return std::nullopt;
    const QJsonArray array = doc.array();
    QList<Note> notes;
    notes.reserve(array.size());
    for (const QJsonValue &element : array) {
        if (!element.isObject())
            return std::nullopt;
        const QJsonObject object = element.toObject();
        const QJsonValue id = object.value(QLatin1String("id"));
        const QJsonValue text = object.value(QLatin1String("text"));
        const QJsonValue date = object.value(QLatin1String("date"));
        if (!id.isString() || !text.isString() || !date.isDouble() || !std::isfinite(date.toDouble()))
            return std::nullopt;
        const QString idText = id.toString();
        if (!isCanonicalUuid(idText))
            return std::nullopt;
        notes.append(Note { QUuid::fromString(idText), text.toString(), date.toDouble() });
    }
    return notes;
}
