// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ReplyStream.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QByteArray withoutCarriageReturn(QByteArrayView line)
{
    if (line.endsWith('\r'))
        line.chop(1);
    return line.toByteArray();
}

} // namespace

QList<QByteArray> ReplyLineSplitter::feed(QByteArrayView bytes)
{
    QList<QByteArray> lines;
    while (!bytes.isEmpty()) {
        const qsizetype end = bytes.indexOf('\n');
        const QByteArrayView piece = end < 0 ? bytes : bytes.first(end);
        if (end < 0) {
            // No line end yet: keep the piece unless the line is already too long.
            if (!m_discarding && m_partial.size() + piece.size() > kMaxLineBytes) {
                m_partial.clear();
                m_partial.squeeze();
                m_discarding = true;
            }
            if (!m_discarding)
                m_partial.append(piece);
            break;
        }
        if (m_discarding) {
            m_discarding = false;
        } else if (m_partial.size() + piece.size() <= kMaxLineBytes) {
            if (m_partial.isEmpty()) {
                lines.append(withoutCarriageReturn(piece));
            } else {
                m_partial.append(piece);
                lines.append(withoutCarriageReturn(m_partial));
            }
        }
        m_partial.clear();
        bytes = bytes.sliced(end + 1);
    }
    return lines;
}

QList<QByteArray> ReplyLineSplitter::finish()
{
    QList<QByteArray> lines;
    if (!m_discarding && !m_partial.isEmpty())
        lines.append(withoutCarriageReturn(m_partial));
    m_partial.clear();
    m_discarding = false;
    return lines;
}

ReplyLine ReplyLine::parse(QByteArrayView line)
{
    static constexpr QByteArrayView prefix("data: ");
    if (!line.startsWith(prefix))
        return {};
    const QByteArrayView payload = line.sliced(prefix.size());
    if (payload == QByteArrayView("[DONE]"))
        return { Done, {} };

    // Each check in turn; any miss ignores the line.
    const QJsonDocument document = QJsonDocument::fromJson(payload.toByteArray());
    if (!document.isObject())
        return {};
    const QJsonValue choices = document.object().value(QLatin1String("choices"));
    if (!choices.isArray())
        return {};
    const QJsonArray array = choices.toArray();
    for (const QJsonValue &choice : array) {
        if (!choice.isObject())
            return {};
    }
    if (array.isEmpty())
        return {};
    const QJsonValue delta = array.first().toObject().value(QLatin1String("delta"));
    if (!delta.isObject())
        return {};
    const QJsonValue content = delta.toObject().value(QLatin1String("content"));
    if (!content.isString())
        return {};
    return { Content, content.toString() };
}

QList<QString> ReplyStreamDecoder::feed(QByteArrayView bytes)
{
    if (m_done)
        return {};
    return take(m_splitter.feed(bytes));
}

QList<QString> ReplyStreamDecoder::finish()
{
    if (m_done)
        return {};
    return take(m_splitter.finish());
}

QList<QString> ReplyStreamDecoder::take(const QList<QByteArray> &lines)
{
    QList<QString> fragments;
    for (const QByteArray &line : lines) {
        const ReplyLine parsed = ReplyLine::parse(line);
        if (parsed.kind == ReplyLine::Done) {
            m_done = true;
            break;
        }
        if (parsed.kind == ReplyLine::Content)
            fragments.append(parsed.content);
    }
    return fragments;
}

QString errorMessageFromBody(QByteArrayView body)
{
    const QJsonDocument document = QJsonDocument::fromJson(body.toByteArray());
    const QJsonValue error = document.object().value(QLatin1String("error"));
    return error.toObject().value(QLatin1String("message")).toString();
}

QString completionFromBody(QByteArrayView body)
{
    const QJsonDocument document = QJsonDocument::fromJson(body.toByteArray());
    const QJsonValue choice = document.object().value(QLatin1String("choices")).toArray().first();
    return choice.toObject()
        .value(QLatin1String("message"))
        .toObject()
        .value(QLatin1String("content"))
        .toString();
}
