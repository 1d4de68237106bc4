// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ChatMessageModel.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QtQml/qqmlregistration.h>
#include <memory>

class HttpStreamClient;
class KeyValueStore;
class ModelList;
class ReplyReader;
class SecretKeyring;

// One chat with an OpenAI-compatible server: the conversation, the server's
// address and model, the API key and the busy flag. A question is sent on its
// own (system prompt plus the question) unless the conversation is to be
// remembered; its streamed answer fills a placeholder message as it arrives.
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
    Q_PROPERTY(bool needsKey READ needsKey NOTIFY needsKeyChanged)
    Q_PROPERTY(QString baseUrl READ baseUrl NOTIFY baseUrlChanged)
    Q_PROPERTY(bool isDefaultServer READ isDefaultServer NOTIFY baseUrlChanged)
    Q_PROPERTY(QString addressProblem READ addressProblem NOTIFY addressProblemChanged)
    Q_PROPERTY(bool addressNeedsConfirmation READ addressNeedsConfirmation NOTIFY addressProblemChanged)
    Q_PROPERTY(QString model READ model WRITE setModel NOTIFY modelChanged)
    Q_PROPERTY(QStringList models READ models NOTIFY modelsChanged)
    Q_PROPERTY(bool rememberConversation READ rememberConversation WRITE setRememberConversation NOTIFY
            rememberConversationChanged)
public:
    using ChatMsg = ::ChatMsg;

    // How requests travel; tests use a local server and no keyring.
    struct Connection
    {
        int transferTimeoutMs = 60000;
        // Null: the real network, owned by the store.
        HttpStreamClient *client = nullptr;
        // Null: the key stays in the preferences file.
        SecretKeyring *keyring = nullptr;
    };

    // Keys outside a keyring: the default server's under its own name, as
    // it always was, every other server's as origin and key pairs.
    static inline const QString kKeyPreference = QStringLiteral("brivane_openai_key");
    static inline const QString kServerKeysPreference = QStringLiteral("brivane_ai_server_keys");
    static inline const QString kBaseUrlPreference = QStringLiteral("brivane_ai_base_url");
    static inline const QString kModelPreference = QStringLiteral("brivane_ai_model");
    static inline const QString kRememberPreference = QStringLiteral("brivane_ai_remember");
    // Private-network hosts the user agreed to reach over plain http.
    static inline const QString kConfirmedHostsPreference = QStringLiteral("brivane_ai_confirmed_hosts");
    static inline const QString kGreeting = QStringLiteral("Hi! I'm Brivane AI. Ask me anything.");
    static inline const QString kSystemPrompt = QStringLiteral(
        "You are a helpful assistant inside a desktop widget on Linux. Keep answers concise, max 2-3 "
        "sentences. Use simple formatting.");
    static inline const QString kDefaultModel = QStringLiteral("gpt-4o-mini");
    // What a remembered conversation may send: the newest turns that fit.
    static constexpr int kKeysMoveAfterMs = 1000;
    static constexpr int kMaxRememberedMessages = 20;
    static constexpr qsizetype kMaxRememberedChars = 16000;
    static constexpr qsizetype kMaxModelChars = 200;

    // The real network and, where the session has one, the keyring.
    explicit AIStore(KeyValueStore &preferences, QObject *parent = nullptr);
    AIStore(KeyValueStore &preferences, const Connection &connection, QObject *parent = nullptr);
    ~AIStore() override;

    ChatMessageModel *messages() const { return m_messages; }
    VisibleChatModel *visibleMessages() const { return m_visible; }
    bool isLoading() const { return m_readers > 0; }
    QString apiKey() const { return m_apiKey; }
    // The key field's text for the current server, kept in memory only: a
    // request made meanwhile carries it.
    void setApiKey(const QString &key);
    // Stores the key edited for the current server (field left, Return):
    // once per edit, into the keyring where there is one.
    Q_INVOKABLE void keepApiKey();
    // The keyring is first looked at when something shows or writes the key
    // (the chat, the settings' key field): looking opens libsecret and a bus
    // connection of its own, which a run that never chats need not carry.
    Q_INVOKABLE void lookUpKeyring();
    // False while the key is empty or only white space.
    bool hasKey() const;
    // Only the default server needs a key; the chat asks for one then.
    bool needsKey() const { return isDefaultServer() && !hasKey(); }

    QString baseUrl() const { return m_baseUrl.toString(); }
    bool isDefaultServer() const;
    QString addressProblem() const { return m_addressProblem; }
    bool addressNeedsConfirmation() const { return m_pendingAddress.isValid(); }
    // The address field's text once edited: taken and stored when it is
    // acceptable, otherwise the problem is shown and nothing is stored.
    Q_INVOKABLE void editBaseUrl(const QString &text);
    // Takes the plain-http private address waiting for the user's consent.
    Q_INVOKABLE void confirmAddress();

    QString model() const { return m_model; }
    void setModel(const QString &model);
    QStringList models() const { return m_models; }
    // Asks the server which models it has; models() follows when it answers.
    Q_INVOKABLE void refreshModels();

    bool rememberConversation() const { return m_remember; }
    void setRememberConversation(bool remember);

    // Sends `text` (unless it is only spaces and tabs) and returns at once.
    Q_INVOKABLE void send(const QString &text);
    // The chat input's action: trims white space and line breaks and sends
    // what is left. False when nothing was left to send.
    Q_INVOKABLE bool ask(const QString &input);
    // Ends every reply still arriving; what came so far stays.
    Q_INVOKABLE void stop();

Q_SIGNALS:
    void isLoadingChanged();
    void apiKeyChanged();
    void needsKeyChanged();
    void baseUrlChanged();
    void addressProblemChanged();
    void modelChanged();
    void modelsChanged();
    void rememberConversationChanged();

private:
    enum class KeyPlace { Unknown, File, Keyring };

    QByteArray requestBody(qsizetype questionRow) const;
    void readerEnded();
    void setBaseUrl(const QUrl &url);
    void setAddressProblem(const QString &problem, const QUrl &pending);
    void keyringLoaded(bool available, const QHash<QString, QString> &secrets);
    void keyringStored(const QString &origin, bool succeeded);
    // Looks again for a keyring that was locked or missing, now and then.
    void lookForKeyringAgain();
    void writeKey(const QString &origin);
    void writeKeysFile();
    // What the key field shows for the current server.
    void showKeyOfServer();
    QString origin() const;
    // The key a request to the current server carries, empty for none.
    QString keyForServer() const;

    KeyValueStore &m_preferences;
    Connection m_connection;
    std::unique_ptr<HttpStreamClient> m_ownClient;
    std::unique_ptr<SecretKeyring> m_ownKeyring;
    ChatMessageModel *m_messages;
    VisibleChatModel *m_visible;
    QString m_apiKey; // the current server's, as shown
    bool m_keyEdited = false; // m_apiKey changed since it was last kept
    QHash<QString, QString> m_keys; // origin -> key, every server's
    QSet<QString> m_keysInFile; // origins whose key lives in the file
    QSet<QString> m_keysUnwritten; // kept while the keyring had not answered
    QString m_environmentKey; // OPENAI_API_KEY, for the default server only
    KeyPlace m_keyPlace = KeyPlace::File;
    QElapsedTimer m_keyringLook;
    bool m_keyringAsked = false;
    QUrl m_baseUrl;
    QString m_addressProblem;
    QUrl m_pendingAddress;
    QString m_model;
    QStringList m_models;
    QPointer<ModelList> m_modelList;
    bool m_remember = false;
    int m_readers = 0; // replies still being read
};
