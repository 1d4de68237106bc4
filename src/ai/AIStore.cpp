// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AIStore.h"

#include "ReplyReader.h"
#include "app/Text.h"
#include "platform/HttpStreamClient.h"
#include "platform/KeyValueStore.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// A header value must not carry a line break or any other control character
// (that would inject headers), and a key is plain ASCII anyway.
bool isSendableKey(const QString &key)
{
    for (const QChar c : key) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7e)
            return false;
    }
    return true;
}

} // namespace

QUrl AIStore::defaultEndpoint()
{
    return QUrl(QStringLiteral("https://api.openai.com/v1/chat/completions"));
}

AIStore::AIStore(KeyValueStore &preferences, QObject *parent)
    : AIStore(preferences, Connection {}, parent)
{
}

AIStore::AIStore(KeyValueStore &preferences, const Connection &connection, QObject *parent)
    : QObject(parent)
    , m_preferences(preferences)
    , m_connection(connection)
    , m_messages(new ChatMessageModel(this))
    , m_visible(new VisibleChatModel(m_messages, this))
{
    if (!m_connection.client) {
        m_ownClient = std::make_unique<NetworkHttpStreamClient>();
        m_connection.client = m_ownClient.get();
    }
    // No key is built in: without a stored one, the environment's (if any)
    // serves this run and is never written back.
    const QString stored = preferences.string(kKeyPreference).value_or(QString());
    m_apiKey = stored.isEmpty() ? qEnvironmentVariable("OPENAI_API_KEY") : stored;
    m_messages->append(ChatMsg(QStringLiteral("system"), kGreeting));
}

AIStore::~AIStore()
{
    // Readers hold transfers of the client: they go first.
    const QList<ReplyReader *> readers = findChildren<ReplyReader *>(Qt::FindDirectChildrenOnly);
    qDeleteAll(readers);
}

void AIStore::setApiKey(const QString &key)
{
    // An unchanged value is already stored, or is the unstored fallback.
    if (key == m_apiKey)
        return;
    m_apiKey = key;
    m_preferences.setString(kKeyPreference, key);
    Q_EMIT apiKeyChanged();
}

bool AIStore::hasKey() const
{
    return !m_apiKey.trimmed().isEmpty();
}

QByteArray AIStore::requestBody(const QString &text)
{
    const QJsonArray prompt {
        QJsonObject { { QStringLiteral("role"), QStringLiteral("system") },
            { QStringLiteral("content"), kSystemPrompt } },
        QJsonObject {
            { QStringLiteral("role"), QStringLiteral("user") }, { QStringLiteral("content"), text } },
    };
    const QJsonObject body {
        { QStringLiteral("model"), kModel },
        { QStringLiteral("messages"), prompt },
        { QStringLiteral("max_tokens"), 200 },
        { QStringLiteral("temperature"), 0.7 },
        { QStringLiteral("stream"), true },
    };
    return QJsonDocument(body).toJson(QJsonDocument::Compact);
}

void AIStore::send(const QString &text)
{
    // Spaces and tabs only: a question may end in a line break on purpose.
    if (Text::trimmedSpacesAndTabs(text).isEmpty())
        return;
    m_messages->append(ChatMsg(QStringLiteral("user"), text));
    if (m_readers++ == 0)
        Q_EMIT isLoadingChanged();

    const QString key = m_apiKey.trimmed();
    m_messages->append(ChatMsg(QStringLiteral("assistant"), QString()));
    const qsizetype placeholder = m_messages->size() - 1;

    auto *reader = new ReplyReader(m_messages, placeholder, key, this);
    connect(reader, &ReplyReader::ended, this, &AIStore::readerEnded);
    if (!isSendableKey(key)) {
        reader->failSoon(tr("The API key contains characters that cannot be sent"));
        return;
    }
    HttpPostRequest request;
    request.url = m_connection.endpoint;
    request.transferTimeoutMs = m_connection.transferTimeoutMs;
    request.headers = {
        { QByteArrayLiteral("Authorization"), QByteArrayLiteral("Bearer ") + key.toLatin1() },
        { QByteArrayLiteral("Content-Type"), QByteArrayLiteral("application/json") },
    };
    request.body = requestBody(text);
    reader->start(*m_connection.client, request);
}

bool AIStore::ask(const QString &input)
{
    const QString question = input.trimmed();
    if (question.isEmpty())
        return false;
    send(question);
    return true;
}

void AIStore::readerEnded()
{
    auto *reader = qobject_cast<ReplyReader *>(sender());
    if (reader)
        reader->deleteLater();
    // Busy while any reply is still being read.
    if (--m_readers == 0)
        Q_EMIT isLoadingChanged();
}
