// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ChatMessageModel.h"

#include <QObject>
#include <QString>
#include <QUrl>
#include <QtQml/qqmlregistration.h>
#include <memory>

class HttpStreamClient;
class KeyValueStore;
class ReplyReader;

// One chat with the hosted model: the conversation, the API key and the busy
// flag. Every question is sent on its own (system prompt plus the question)
// and its streamed answer fills a placeholder message as it arrives.
class AIStore : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Created by the application delegate")
    Q_PROPERTY(ChatMessageModel *messages READ messages CONSTANT)
    Q_PROPERTY(VisibleChatModel *visibleMessages READ visibleMessages CONSTANT)
    Q_PROPERTY(bool isLoading READ isLoading NOTIFY isLoadingChanged)
    Q_PROPERTY(QString apiKey READ apiKey WRITE setApiKey NOTIFY apiKeyChanged)
    Q_PROPERTY(bool hasKey READ hasKey NOTIFY apiKeyChanged)
public:
    using ChatMsg = ::ChatMsg;

    // Where requests go; tests point this at a local server.
    struct Connection
    {
        QUrl endpoint = defaultEndpoint();
        int transferTimeoutMs = 60000;
        // Null: the real network, owned by the store.
        HttpStreamClient *client = nullptr;
    };

    static inline const QString kKeyPreference = QStringLiteral("brivane_openai_key");
    static inline const QString kGreeting = QStringLiteral("Hi! I'm Brivane AI. Ask me anything.");
    static inline const QString kSystemPrompt = QStringLiteral(
        "You are a helpful assistant inside a macOS notch widget. Keep answers concise, max 2-3 "
        "sentences. Use simple formatting.");
    static inline const QString kModel = QStringLiteral("gpt-4o-mini");
    static QUrl defaultEndpoint();

    explicit AIStore(KeyValueStore &preferences, QObject *parent = nullptr);
    AIStore(KeyValueStore &preferences, const Connection &connection, QObject *parent = nullptr);
    ~AIStore() override;

    ChatMessageModel *messages() const { return m_messages; }
    VisibleChatModel *visibleMessages() const { return m_visible; }
    bool isLoading() const { return m_readers > 0; }
    QString apiKey() const { return m_apiKey; }
    void setApiKey(const QString &key);
    // False while the key is empty or only white space: the chat asks for one.
    bool hasKey() const;

    // Sends `text` (unless it is only spaces and tabs) and returns at once.
    Q_INVOKABLE void send(const QString &text);
    // The chat input's action: trims white space and line breaks and sends
    // what is left. False when nothing was left to send.
    Q_INVOKABLE bool ask(const QString &input);

    // The JSON body sent for a question.
    static QByteArray requestBody(const QString &text);

Q_SIGNALS:
    void isLoadingChanged();
    void apiKeyChanged();

private:
    void readerEnded();

    KeyValueStore &m_preferences;
    Connection m_connection;
    std::unique_ptr<HttpStreamClient> m_ownClient;
    ChatMessageModel *m_messages;
    VisibleChatModel *m_visible;
    QString m_apiKey;
    int m_readers = 0; // replies still being read
};
