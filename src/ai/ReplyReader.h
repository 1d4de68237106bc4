// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ReplyStream.h"

#include <QCoreApplication>
#include <QObject>
#include <QPointer>
#include <QString>

class ChatMessageModel;
class HttpStream;
class HttpStreamClient;
struct HttpRequest;

// Reads one streamed reply into its placeholder message: each content
// fragment replaces the placeholder with the whole text so far, and every
// failure becomes a readable text in the same place. Ends exactly once.
class ReplyReader : public QObject
{
    Q_OBJECT
public:
    // Which setting an error sends the user to.
    enum class Hint { Key, Address };

    // Longest reply kept; a legitimate one (200 tokens) is far shorter, and
    // a runaway stream must not grow the conversation without bound.
    static constexpr qsizetype kMaxReplyChars = 16384;
    // Longest error body read, and longest error text shown.
    static constexpr qsizetype kMaxErrorBodyBytes = 64 * 1024;
    static constexpr qsizetype kMaxErrorChars = 400;
    // Longest body kept in case the server answers with one JSON completion
    // instead of a stream.
    static constexpr qsizetype kMaxWholeBodyBytes = 1024 * 1024;

    // `secret` is hidden from any error text shown. `otherErrors` is the hint
    // for failures that point at neither the key nor the address.
    ReplyReader(ChatMessageModel *messages, qsizetype placeholderIndex, QString secret, Hint otherErrors,
        QObject *parent = nullptr);

    void start(HttpStreamClient &client, const HttpRequest &request);
    // Ends on the error path from the event loop, without any request.
    void failSoon(const QString &description);
    // Ends now, keeping what has arrived; the transfer is dropped.
    void stop();

    // "Error: " + description + ". Check your API key in Settings." (or the
    // server address).
    static QString errorText(QString description, const QString &secret, Hint hint = Hint::Key);

Q_SIGNALS:
    void ended();

private:
    void onResponseStarted(int status, const QString &reasonPhrase);
    void onBytes(const QByteArray &bytes);
    void onFinished(bool succeeded, const QString &errorDescription);

    void takeFragments(const QList<QString> &fragments);
    void endOfStream();
    void endWithError(const QString &description, Hint hint);
    void writePlaceholder(const QString &text, bool failed = false);
    void finish();

    QPointer<ChatMessageModel> m_messages;
    qsizetype m_placeholder;
    QString m_secret;
    Hint m_otherErrors;
    HttpStream *m_stream = nullptr;
    ReplyStreamDecoder m_decoder;
    QString m_accumulated;
    int m_status = 0;
    QString m_reasonPhrase;
    QByteArray m_errorBody;
    QByteArray m_wholeBody; // while no stream line has given content
    bool m_ended = false;
};
