// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ReplyReader.h"

#include "ChatMessageModel.h"
#include "platform/HttpStreamClient.h"

#include <QTimer>

ReplyReader::ReplyReader(
    ChatMessageModel *messages, qsizetype placeholderIndex, QString secret, QObject *parent)
    : QObject(parent)
    , m_messages(messages)
    , m_placeholder(placeholderIndex)
    , m_secret(std::move(secret))
{
}

void ReplyReader::start(HttpStreamClient &client, const HttpPostRequest &request)
{
    m_stream = client.post(request, this);
    connect(m_stream, &HttpStream::responseStarted, this, &ReplyReader::onResponseStarted);
    connect(m_stream, &HttpStream::bytesArrived, this, &ReplyReader::onBytes);
    connect(m_stream, &HttpStream::finished, this, &ReplyReader::onFinished);
}

void ReplyReader::failSoon(const QString &description)
{
    QTimer::singleShot(0, this, [this, description] { endWithError(description); });
}

QString ReplyReader::errorText(QString description, const QString &secret)
{
    // The reason may come from the server: never let it show the key, and
    // keep it to a readable length.
    if (secret.size() >= 4)
        description.replace(secret, QStringLiteral("***"));
    description = description.simplified();
    if (description.size() > kMaxErrorChars)
        description = description.first(kMaxErrorChars) + QChar(0x2026);
    // Service messages end in a full stop of their own.
    while (description.endsWith(QLatin1Char('.')))
        description.chop(1);
    if (description.isEmpty())
        description = tr("The request failed");
    return tr("Error: %1. Check your API key in Settings.").arg(description);
}

void ReplyReader::onResponseStarted(int status, const QString &reasonPhrase)
{
    m_status = status;
    m_reasonPhrase = reasonPhrase;
}

void ReplyReader::onBytes(const QByteArray &bytes)
{
    if (m_ended)
        return;
    if (m_status >= 400) {
        // An error document, read whole at the end (bounded).
        m_errorBody.append(bytes.first(std::min(bytes.size(), kMaxErrorBodyBytes - m_errorBody.size())));
        return;
    }
    takeFragments(m_decoder.feed(bytes));
    if (m_decoder.isDone())
        endOfStream();
}

void ReplyReader::onFinished(bool succeeded, const QString &errorDescription)
{
    if (m_ended)
        return;
    if (m_status >= 400) {
        QString message = errorMessageFromBody(m_errorBody);
        if (message.trimmed().isEmpty())
            message = m_reasonPhrase;
        if (message.trimmed().isEmpty())
            message = QStringLiteral("HTTP status %1").arg(m_status);
        endWithError(message);
        return;
    }
    if (!succeeded) {
        endWithError(errorDescription);
        return;
    }
    takeFragments(m_decoder.finish());
    endOfStream();
}

void ReplyReader::takeFragments(const QList<QString> &fragments)
{
    for (const QString &fragment : fragments) {
        if (m_accumulated.size() >= kMaxReplyChars)
            return;
        m_accumulated += fragment.first(std::min(fragment.size(), kMaxReplyChars - m_accumulated.size()));
        writePlaceholder(m_accumulated);
    }
}

void ReplyReader::endOfStream()
{
    if (m_accumulated.isEmpty())
        writePlaceholder(tr("No response received."));
    finish();
}

void ReplyReader::endWithError(const QString &description)
{
    if (m_ended)
        return;
    writePlaceholder(errorText(description, m_secret));
    finish();
}

void ReplyReader::writePlaceholder(const QString &text)
{
    if (m_messages)
        m_messages->replace(m_placeholder, ChatMsg(QStringLiteral("assistant"), text));
}

void ReplyReader::finish()
{
    m_ended = true;
    // Stop the transfer (after "[DONE]" the rest of the body is not wanted).
    // Later, not now: this may run inside one of the stream's own signals.
    if (m_stream) {
        m_stream->disconnect(this);
        m_stream->deleteLater();
        m_stream = nullptr;
    }
    Q_EMIT ended();
}
