// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ReplyStream.h"

#include <QObject>
#include <QPointer>
#include <QString>

class ChatMessageModel;
class HttpStream;
class HttpStreamClient;
struct HttpPostRequest;

// Reads one streamed reply into its placeholder message: each content
// fragment replaces the placeholder with the whole text so far, and every
// failure becomes a readable text in the same place. Ends exactly once.
class ReplyReader : public QObject
{
    Q_OBJECT
public:
    // Longest reply kept; a legitimate one (200 tokens) is far shorter, and
    // a runaway stream must not grow the conversation without bound.
    static constexpr qsizetype kMaxReplyChars = 16384;
    // Longest error body read, and longest error text shown.
    static constexpr qsizetype kMaxErrorBodyBytes = 64 * 1024;
    static constexpr qsizetype kMaxErrorChars = 400;

    // `secret` is hidden from any error text shown.
    ReplyReader(
        ChatMessageModel *messages, qsizetype placeholderIndex, QString secret, QObject *parent = nullptr);

    void start(HttpStreamClient &client, const HttpPostRequest &request);
    // Ends on the error path from the event loop, without any request.
    void failSoon(const QString &description);

    // "Error: " + description + ". Check your API key in Settings."
    static QString errorText(QString description, const QString &secret);

Q_SIGNALS:
    void ended();

private:
    void onResponseStarted(int status, const QString &reasonPhrase);
    void onBytes(const QByteArray &bytes);
    void onFinished(bool succeeded, const QString &errorDescription);

    void takeFragments(const QList<QString> &fragments);
    void endOfStream();
    void endWithError(const QString &description);
    void writePlaceholder(const QString &text);
    void finish();

    QPointer<ChatMessageModel> m_messages;
    qsizetype m_placeholder;
    QString m_secret;
    HttpStream *m_stream = nullptr;
    ReplyStreamDecoder m_decoder;
    QString m_accumulated;
    int m_status = 0;
    QString m_reasonPhrase;
    QByteArray m_errorBody;
    bool m_ended = false;
};
