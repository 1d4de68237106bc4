// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ReplyReader.h"

#include "ChatMessageModel.h"
#include "platform/HttpStreamClient.h"

#include <QTimer>

ReplyReader::ReplyReader(
    ChatMessageModel *messages, qsizetype placeholderIndex, QString secret, Hint otherErrors, QObject *parent)
    : QObject(parent)
    , m_messages(messages)
    , m_placeholder(placeholderIndex)
    , m_secret(std::move(secret))
    , m_otherErrors(otherErrors)
{
}

void ReplyReader::start(HttpStreamClient &client, const HttpRequest &request)
{
    m_stream = client.start(request, this);
    connect(m_stream, &HttpStream::responseStarted, this, &ReplyReader::onResponseStarted);
    connect(m_stream, &HttpStream::bytesArrived, this, &ReplyReader::onBytes);
    connect(m_stream, &HttpStream::finished, this, &ReplyReader::onFinished);
}

void ReplyReader::failSoon(const QString &description)
{
    QTimer::singleShot(0, this, [this, description] { endWithError(description, Hint::Key); });
}

void ReplyReader::stop()
{
    if (m_ended)
        return;
    if (m_accumulated.isEmpty())
        writePlaceholder(QCoreApplication::translate("ReplyReader", "Stopped."));
    finish();
}

QString ReplyReader::errorText(QString description, const QString &secret, Hint hint)
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
    return hint == Hint::Key ? tr("Error: %1. Check your API key in Settings.").arg(description)
                             : tr("Error: %1. Check the server address in Settings.").arg(description);
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
    if (m_status >= 300) {
        // An error document, read whole at the end (bounded).
        m_errorBody.append(bytes.first(std::min(bytes.size(), kMaxErrorBodyBytes - m_errorBody.size())));
        return;
    }
    if (m_accumulated.isEmpty() && m_wholeBody.size() < kMaxWholeBodyBytes)
        m_wholeBody.append(bytes.first(std::min(bytes.size(), kMaxWholeBodyBytes - m_wholeBody.size())));
    takeFragments(m_decoder.feed(bytes));
    if (m_decoder.isDone())
        endOfStream();
}

void ReplyReader::onFinished(bool succeeded, const QString &errorDescription)
{
    if (m_ended)
        return;
    if (m_status >= 300) {
        QString message = errorMessageFromBody(m_errorBody);
        if (message.trimmed().isEmpty())
            message = m_reasonPhrase;
        if (message.trimmed().isEmpty())
            message = QStringLiteral("HTTP status %1").arg(m_status);
        // A redirect is never followed: the key must not travel elsewhere.
        const bool wrongPlace = m_status < 400 || m_status == 404;
        const bool refused = m_status == 401 || m_status == 403;
        endWithError(message, wrongPlace ? Hint::Address : refused ? Hint::Key : m_otherErrors);
        return;
    }
    if (!succeeded) {
        endWithError(errorDescription, m_stream && m_stream->unreachable() ? Hint::Address : m_otherErrors);
        return;
    }
    takeFragments(m_decoder.finish());
    // Not a stream: a server that ignores "stream" answers with one completion.
    if (m_accumulated.isEmpty() && m_wholeBody.size() < kMaxWholeBodyBytes)
        takeFragments({ completionFromBody(m_wholeBody) });
    endOfStream();
}

void ReplyReader::takeFragments(const QList<QString> &fragments)
{
    for (const QString &fragment : fragments) {
        if (m_accumulated.size() >= kMaxReplyChars)
            return;
        m_wholeBody.clear();
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

void ReplyReader::endWithError(const QString &description, Hint hint)
{
    if (m_ended)
        return;
    writePlaceholder(errorText(description, m_secret, hint), true);
    finish();
}

void ReplyReader::writePlaceholder(const QString &text, bool failed)
{
    if (!m_messages)
        return;
    ChatMsg message(QStringLiteral("assistant"), text);
    message.failed = failed;
    m_messages->replace(m_placeholder, message);
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
