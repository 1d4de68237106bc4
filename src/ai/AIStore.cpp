// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AIStore.h"

#include "ModelList.h"
#include "ReplyReader.h"
#include "ServerAddress.h"
#include "platform/HttpStreamClient.h"
#include "platform/KeyValueStore.h"
#include "platform/SecretKeyring.h"
#include "ui/Text.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>

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

QString hostOf(const QUrl &url)
{
    return url.host().toLower();
}

} // namespace

AIStore::AIStore(KeyValueStore &preferences, QObject *parent)
    : AIStore(preferences,
        Connection { 60000, nullptr, SecretKeyring::isSupported() ? new SecretKeyring : nullptr }, parent)
{
    m_ownKeyring.reset(m_connection.keyring);
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
    // A stored address is checked again: the rules may be stricter than
    // whatever wrote it.
    const ServerAddress address
        = ServerAddress::check(preferences.string(kBaseUrlPreference).value_or(QString()));
    const QStringList confirmed = preferences.stringArray(kConfirmedHostsPreference).value_or(QStringList());
    const bool usable = address.verdict == ServerAddress::Accepted
        || (address.verdict == ServerAddress::NeedsConfirmation && confirmed.contains(hostOf(address.url)));
    m_baseUrl = usable ? address.url : ServerAddress::defaultUrl();
    m_model = preferences.string(kModelPreference).value_or(kDefaultModel).left(kMaxModelChars);
    if (m_model.trimmed().isEmpty())
        m_model = kDefaultModel;
    m_remember = preferences.string(kRememberPreference).value_or(QString()) == QLatin1String("true");

    // No key is built in: without a stored one, the environment's (if any)
    // serves the default server for this run and is never written back.
    m_environmentKey = qEnvironmentVariable("OPENAI_API_KEY");
    const QString defaultKey = preferences.string(kKeyPreference).value_or(QString());
    if (!defaultKey.isEmpty())
        m_keys.insert(ServerAddress::originOf(ServerAddress::defaultUrl()), defaultKey);
    const QStringList pairs = preferences.stringArray(kServerKeysPreference).value_or(QStringList());
    for (qsizetype i = 0; i + 1 < pairs.size(); i += 2) {
        if (!pairs.at(i + 1).isEmpty())
            m_keys.insert(pairs.at(i), pairs.at(i + 1));
    }
    for (auto it = m_keys.cbegin(); it != m_keys.cend(); ++it)
        m_keysInFile.insert(it.key());
    showKeyOfServer();

    if (m_connection.keyring) {
        m_keyPlace = KeyPlace::Unknown;
        connect(m_connection.keyring, &SecretKeyring::loaded, this, &AIStore::keyringLoaded);
        connect(m_connection.keyring, &SecretKeyring::stored, this, &AIStore::keyringStored);
        // Keys in the plain file move to the keyring soon after start, once
        // the strip is up, rather than on the first chat.
        if (!m_keysInFile.isEmpty())
            QTimer::singleShot(kKeysMoveAfterMs, this, &AIStore::lookUpKeyring);
    }
    m_messages->append(ChatMsg(QStringLiteral("system"), kGreeting));
}

AIStore::~AIStore()
{
    // Readers hold transfers of the client: they go first.
    const QList<ReplyReader *> readers = findChildren<ReplyReader *>(Qt::FindDirectChildrenOnly);
    qDeleteAll(readers);
    delete m_modelList;
    keepApiKey();
    // Nothing kept is lost for want of an answer from the keyring.
    if (m_keyPlace == KeyPlace::Unknown && !m_keysUnwritten.isEmpty()) {
        m_keysInFile.unite(m_keysUnwritten);
        writeKeysFile();
    }
    // The keyring's worker finishes its writes before the store goes.
    if (m_connection.keyring)
        m_connection.keyring->disconnect(this);
    m_ownKeyring.reset();
}

QString AIStore::origin() const
{
    return ServerAddress::originOf(m_baseUrl);
}

void AIStore::showKeyOfServer()
{
    QString key = m_keys.value(origin());
    if (key.isEmpty() && isDefaultServer())
        key = m_environmentKey;
    if (key == m_apiKey)
        return;
    const bool neededKey = needsKey();
    m_apiKey = key;
    Q_EMIT apiKeyChanged();
    if (needsKey() != neededKey)
        Q_EMIT needsKeyChanged();
}

void AIStore::setApiKey(const QString &key)
{
    if (key == m_apiKey)
        return;
    const bool neededKey = needsKey();
    m_apiKey = key;
    m_keyEdited = true;
    Q_EMIT apiKeyChanged();
    if (needsKey() != neededKey)
        Q_EMIT needsKeyChanged();
}

void AIStore::keepApiKey()
{
    if (!m_keyEdited)
        return;
    m_keyEdited = false;
    const QString server = origin();
    // The environment's key shown and left as it was is not the user's.
    if (m_apiKey == m_keys.value(server)
        || (!m_keys.contains(server) && m_apiKey == m_environmentKey && isDefaultServer()))
        return;
    if (m_apiKey.isEmpty())
        m_keys.remove(server);
    else
        m_keys.insert(server, m_apiKey);
    writeKey(server);
}

void AIStore::writeKey(const QString &server)
{
    switch (m_keyPlace) {
    case KeyPlace::Keyring:
        m_connection.keyring->store(server, m_keys.value(server));
        break;
    case KeyPlace::Unknown:
        m_keysUnwritten.insert(server); // written once the keyring has answered
        lookUpKeyring();
        break;
    case KeyPlace::File:
        m_keysInFile.insert(server);
        writeKeysFile();
        lookForKeyringAgain();
        break;
    }
}

void AIStore::writeKeysFile()
{
    const QString defaultOrigin = ServerAddress::originOf(ServerAddress::defaultUrl());
    QStringList pairs;
    for (const QString &server : std::as_const(m_keysInFile)) {
        const QString key = m_keys.value(server);
        if (server != defaultOrigin && !key.isEmpty())
            pairs << server << key;
    }
    const QString defaultKey = m_keysInFile.contains(defaultOrigin) ? m_keys.value(defaultOrigin) : QString();
    if (defaultKey.isEmpty())
        m_preferences.remove(kKeyPreference);
    else
        m_preferences.setString(kKeyPreference, defaultKey);
    if (pairs.isEmpty())
        m_preferences.remove(kServerKeysPreference);
    else
        m_preferences.setStringArray(kServerKeysPreference, pairs);
}

void AIStore::lookUpKeyring()
{
    if (!m_connection.keyring || m_keyringAsked)
        return;
    m_keyringAsked = true;
    m_keyringLook.start();
    m_connection.keyring->load(ServerAddress::originOf(ServerAddress::defaultUrl()));
}

void AIStore::lookForKeyringAgain()
{
    // A keyring unlocked after start is used from the next look on.
    constexpr qint64 kLookEveryMs = 30000;
    if (!m_connection.keyring || m_keyPlace != KeyPlace::File
        || (m_keyringLook.isValid() && m_keyringLook.elapsed() < kLookEveryMs))
        return;
    m_keyringLook.start();
    m_keyPlace = KeyPlace::Unknown;
    m_connection.keyring->load(ServerAddress::originOf(ServerAddress::defaultUrl()));
}

void AIStore::keyringLoaded(bool available, const QHash<QString, QString> &secrets)
{
    if (!available) {
        m_keyPlace = KeyPlace::File;
        m_keysInFile.unite(m_keysUnwritten);
        m_keysUnwritten.clear();
        writeKeysFile();
        return;
    }
    m_keyPlace = KeyPlace::Keyring;
    // Keys kept meanwhile, or still in the file, move to the keyring; the
    // file keeps each until the keyring has it.
    const QSet<QString> moving = m_keysInFile + m_keysUnwritten;
    m_keysUnwritten.clear();
    for (auto it = secrets.cbegin(); it != secrets.cend(); ++it) {
        if (!moving.contains(it.key()) && !it.value().isEmpty())
            m_keys.insert(it.key(), it.value());
    }
    for (const QString &server : moving)
        m_connection.keyring->store(server, m_keys.value(server));
    if (!m_keyEdited)
        showKeyOfServer();
}

void AIStore::keyringStored(const QString &server, bool succeeded)
{
    if (succeeded) {
        if (m_keysInFile.remove(server))
            writeKeysFile();
        return;
    }
    // The keyring went away or locked: the file, as without one, until it
    // can be used again.
    m_keyPlace = KeyPlace::File;
    m_keysInFile.insert(server);
    writeKeysFile();
}

bool AIStore::hasKey() const
{
    return !m_apiKey.trimmed().isEmpty();
}

bool AIStore::isDefaultServer() const
{
    return m_baseUrl == ServerAddress::defaultUrl();
}

void AIStore::editBaseUrl(const QString &text)
{
    const ServerAddress address = ServerAddress::check(text);
    const QStringList confirmed
        = m_preferences.stringArray(kConfirmedHostsPreference).value_or(QStringList());
    if (address.verdict == ServerAddress::Accepted
        || (address.verdict == ServerAddress::NeedsConfirmation && confirmed.contains(hostOf(address.url)))) {
        setAddressProblem(QString(), QUrl());
        setBaseUrl(address.url);
    } else if (address.verdict == ServerAddress::NeedsConfirmation) {
        setAddressProblem(tr("Plain http to %1 is not encrypted, so no API key is sent to it. Use it anyway?")
                              .arg(address.url.host(QUrl::EncodeUnicode)),
            address.url);
    } else {
        setAddressProblem(address.problem, QUrl());
    }
}

void AIStore::confirmAddress()
{
    if (!m_pendingAddress.isValid())
        return;
    const QUrl url = m_pendingAddress;
    QStringList confirmed = m_preferences.stringArray(kConfirmedHostsPreference).value_or(QStringList());
    if (!confirmed.contains(hostOf(url))) {
        confirmed.append(hostOf(url));
        m_preferences.setStringArray(kConfirmedHostsPreference, confirmed);
    }
    setAddressProblem(QString(), QUrl());
    setBaseUrl(url);
}

void AIStore::setAddressProblem(const QString &problem, const QUrl &pending)
{
    if (problem == m_addressProblem && pending == m_pendingAddress)
        return;
    m_addressProblem = problem;
    m_pendingAddress = pending;
    Q_EMIT addressProblemChanged();
}

void AIStore::setBaseUrl(const QUrl &url)
{
    if (url == m_baseUrl)
        return;
    // An edit not yet kept belongs to the server it was typed for.
    keepApiKey();
    const bool neededKey = needsKey();
    m_baseUrl = url;
    m_preferences.setString(kBaseUrlPreference, baseUrl());
    if (!m_models.isEmpty()) {
        m_models.clear();
        Q_EMIT modelsChanged();
    }
    Q_EMIT baseUrlChanged();
    if (needsKey() != neededKey)
        Q_EMIT needsKeyChanged();
    showKeyOfServer();
    refreshModels();
}

void AIStore::setModel(const QString &model)
{
    // Any name may be typed; it goes into a JSON string, never a header.
    const QString bounded = model.left(kMaxModelChars);
    if (bounded == m_model)
        return;
    m_model = bounded;
    m_preferences.setString(kModelPreference, m_model);
    Q_EMIT modelChanged();
}

QString AIStore::keyForServer() const
{
    // Each server has its own key, the environment's only the default
    // server; and no key crosses a network in plain text.
    if (m_baseUrl.scheme() == QLatin1String("http") && !ServerAddress::isThisComputer(m_baseUrl.host()))
        return QString();
    return m_apiKey.trimmed();
}

void AIStore::refreshModels()
{
    delete m_modelList;
    const QString key = keyForServer();
    HttpRequest request;
    request.method = QByteArrayLiteral("GET");
    request.url = ServerAddress::endpoint(m_baseUrl, QStringLiteral("models"));
    request.transferTimeoutMs = ModelList::kDeadlineMs;
    if (!key.isEmpty() && isSendableKey(key))
        request.headers.append(
            { QByteArrayLiteral("Authorization"), QByteArrayLiteral("Bearer ") + key.toLatin1() });
    m_modelList = new ModelList(this);
    connect(m_modelList, &ModelList::ended, this, [this](const QStringList &names) {
        m_modelList->deleteLater();
        if (names == m_models)
            return;
        m_models = names;
        Q_EMIT modelsChanged();
    });
    m_modelList->start(*m_connection.client, request);
}

void AIStore::setRememberConversation(bool remember)
{
    if (remember == m_remember)
        return;
    m_remember = remember;
    m_preferences.setString(kRememberPreference, remember ? QStringLiteral("true") : QStringLiteral("false"));
    Q_EMIT rememberConversationChanged();
}

QByteArray AIStore::requestBody(qsizetype questionRow) const
{
    // The question, and when remembering, the earlier turns that fit, newest
    // first; failed replies and replies still arriving are left out.
    QList<QJsonObject> turns;
    qsizetype chars = 0;
    const qsizetype oldest = m_remember ? 0 : questionRow;
    for (qsizetype row = questionRow; row >= oldest; --row) {
        const ChatMsg &message = m_messages->at(row);
        if (message.role == QLatin1String("system") || message.failed || message.text.isEmpty())
            continue;
        if (row != questionRow
            && (turns.size() >= kMaxRememberedMessages || chars + message.text.size() > kMaxRememberedChars))
            break;
        chars += message.text.size();
        turns.prepend(QJsonObject {
            { QStringLiteral("role"), message.role }, { QStringLiteral("content"), message.text } });
    }
    QJsonArray prompt { QJsonObject { { QStringLiteral("role"), QStringLiteral("system") },
        { QStringLiteral("content"), kSystemPrompt } } };
    for (const QJsonObject &turn : std::as_const(turns))
        prompt.append(turn);
    const QJsonObject body {
        { QStringLiteral("model"), m_model },
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
    lookForKeyringAgain();
    const qsizetype questionRow = m_messages->size() - 1;
    if (m_readers++ == 0)
        Q_EMIT isLoadingChanged();

    const QString key = keyForServer();
    m_messages->append(ChatMsg(QStringLiteral("assistant"), QString()));
    const qsizetype placeholder = m_messages->size() - 1;

    const auto otherErrors = isDefaultServer() ? ReplyReader::Hint::Key : ReplyReader::Hint::Address;
    auto *reader = new ReplyReader(m_messages, placeholder, key, otherErrors, this);
    connect(reader, &ReplyReader::ended, this, &AIStore::readerEnded);
    if (!isSendableKey(key)) {
        reader->failSoon(tr("The API key contains characters that cannot be sent"));
        return;
    }
    HttpRequest request;
    request.url = ServerAddress::endpoint(m_baseUrl, QStringLiteral("chat/completions"));
    request.transferTimeoutMs = m_connection.transferTimeoutMs;
    // Local servers need no key: without one, no Authorization header at all.
    if (!key.isEmpty())
        request.headers.append(
            { QByteArrayLiteral("Authorization"), QByteArrayLiteral("Bearer ") + key.toLatin1() });
    request.headers.append({ QByteArrayLiteral("Content-Type"), QByteArrayLiteral("application/json") });
    request.body = requestBody(questionRow);
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

void AIStore::stop()
{
    const QList<ReplyReader *> readers = findChildren<ReplyReader *>(Qt::FindDirectChildrenOnly);
    for (ReplyReader *reader : readers)
        reader->stop();
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
