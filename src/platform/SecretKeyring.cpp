// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SecretKeyring.h"

#include <QMetaObject>
#include <QMutexLocker>

#ifdef BRIVANE_HAVE_LIBSECRET
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusReply>
#include <QLibrary>
#endif

#ifdef BRIVANE_HAVE_LIBSECRET
// GLib's headers use "signals" as a name; Qt's macro of that name is not
// needed in this file.
#undef signals
#include <libsecret/secret.h>
#endif

namespace {

#ifdef BRIVANE_HAVE_LIBSECRET
// One item per server origin. The schema's name is part of every lookup, so
// the older single item (its own schema, whose "server" followed whatever
// address was set) is never mistaken for one of these.
constexpr SecretSchema schemaNamed(const char *name)
{
    return SecretSchema {
        name,
        SECRET_SCHEMA_NONE,
        {
            { "application", SECRET_SCHEMA_ATTRIBUTE_STRING },
            { "server", SECRET_SCHEMA_ATTRIBUTE_STRING },
            { nullptr, SECRET_SCHEMA_ATTRIBUTE_STRING },
        },
        0,
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        nullptr,
    };
}
const SecretSchema kSchema = schemaNamed("org.brivane.Brivane.ServerKey");
const SecretSchema kOlderSchema = schemaNamed("org.brivane.Brivane.AIKey");
constexpr const char *kApplication = "brivane";

// libsecret, and GIO and GObject behind it, are opened at the first look at
// the keyring, on the worker: a launch that never reaches it pays nothing.
struct Libsecret
{
    decltype(&secret_service_get_sync) serviceGet = nullptr;
    decltype(&secret_collection_for_alias_sync) collectionForAlias = nullptr;
    decltype(&secret_collection_get_locked) collectionLocked = nullptr;
    decltype(&secret_password_storev_sync) store = nullptr;
    decltype(&secret_password_clearv_sync) clear = nullptr;
    decltype(&secret_password_lookupv_sync) lookup = nullptr;
    decltype(&secret_password_searchv_sync) search = nullptr;
    decltype(&secret_password_free) freePassword = nullptr;
    decltype(&secret_retrievable_get_attributes) attributesOf = nullptr;
    decltype(&secret_retrievable_retrieve_secret_sync) retrieve = nullptr;
    decltype(&secret_value_get) valueText = nullptr;
    decltype(&secret_value_unref) valueUnref = nullptr;
    decltype(&g_object_unref) objectUnref = nullptr;
};

template<typename F>
bool resolve(QLibrary &library, F &function, const char *name)
{
    function = reinterpret_cast<F>(library.resolve(name));
    return function != nullptr;
}

// Null when this system has no libsecret: the keyring then counts as absent.
const Libsecret *libsecret()
{
    static const Libsecret *api = []() -> const Libsecret * {
        static Libsecret loaded;
        QLibrary secret(QStringLiteral("secret-1"), 0);
        QLibrary gobject(QStringLiteral("gobject-2.0"), 0);
        const bool complete = secret.load() && gobject.load()
            && resolve(secret, loaded.serviceGet, "secret_service_get_sync")
            && resolve(secret, loaded.collectionForAlias, "secret_collection_for_alias_sync")
            && resolve(secret, loaded.collectionLocked, "secret_collection_get_locked")
            && resolve(secret, loaded.store, "secret_password_storev_sync")
            && resolve(secret, loaded.clear, "secret_password_clearv_sync")
            && resolve(secret, loaded.lookup, "secret_password_lookupv_sync")
            && resolve(secret, loaded.search, "secret_password_searchv_sync")
            && resolve(secret, loaded.freePassword, "secret_password_free")
            && resolve(secret, loaded.attributesOf, "secret_retrievable_get_attributes")
            && resolve(secret, loaded.retrieve, "secret_retrievable_retrieve_secret_sync")
            && resolve(secret, loaded.valueText, "secret_value_get")
            && resolve(secret, loaded.valueUnref, "secret_value_unref")
            && resolve(gobject, loaded.objectUnref, "g_object_unref");
        return complete ? &loaded : nullptr;
    }();
    return api;
}

// The attributes every item of ours carries, and the server's when given.
GHashTable *attributesFor(const char *server = nullptr)
{
    GHashTable *attributes = g_hash_table_new(g_str_hash, g_str_equal);
    g_hash_table_insert(attributes, const_cast<char *>("application"), const_cast<char *>(kApplication));
    if (server)
        g_hash_table_insert(attributes, const_cast<char *>("server"), const_cast<char *>(server));
    return attributes;
}

// Whether a Secret Service runs in this session now. Asked first because
// libsecret would otherwise have the bus start one, leaving a keyring daemon
// with nothing unlocked behind in sessions that chose to run none.
bool serviceRunning()
{
    QDBusConnectionInterface *bus = QDBusConnection::sessionBus().interface();
    if (!bus)
        return false;
    const QDBusReply<bool> running = bus->isServiceRegistered(QStringLiteral("org.freedesktop.secrets"));
    return running.isValid() && running.value();
}

// True when the default collection is there and open; a locked or missing one
// would need a prompt, which a utility in the background must not raise.
bool keyringUsable()
{
    const Libsecret *api = libsecret();
    if (!api || !serviceRunning())
        return false;
    GError *error = nullptr;
    SecretService *service = api->serviceGet(SECRET_SERVICE_NONE, nullptr, &error);
    if (!service) {
        g_clear_error(&error);
        return false;
    }
    SecretCollection *collection = api->collectionForAlias(
        service, SECRET_COLLECTION_DEFAULT, SECRET_COLLECTION_NONE, nullptr, &error);
    g_clear_error(&error);
    const bool usable = collection && !api->collectionLocked(collection);
    if (collection)
        api->objectUnref(collection);
    api->objectUnref(service);
    return usable;
}
#endif

} // namespace

bool SecretKeyring::isSupported()
{
#ifdef BRIVANE_HAVE_LIBSECRET
    return true;
#else
    return false;
#endif
}

SecretKeyring::SecretKeyring(QObject *parent)
    : QObject(parent)
{
    m_worker.setMaxThreadCount(1);
    m_worker.setExpiryTimeout(2000);
}

SecretKeyring::~SecretKeyring()
{
    flush();
}

void SecretKeyring::flush()
{
    m_worker.waitForDone();
}

#ifdef BRIVANE_HAVE_LIBSECRET
namespace {

bool storeItem(const QString &server, const QString &secret)
{
    // Only called once keyringUsable() said yes, so the library is open.
    const Libsecret *api = libsecret();
    GError *error = nullptr;
    const QByteArray serverUtf8 = server.toUtf8();
    GHashTable *attributes = attributesFor(serverUtf8.constData());
    bool succeeded = false;
    if (secret.isEmpty()) {
        api->clear(&kSchema, attributes, nullptr, &error);
        // Clearing what is not there is no failure.
        succeeded = !error;
    } else {
        // Storing over an item with the same attributes replaces it in
        // place: a failed write leaves the old secret as it was.
        const QByteArray label = SecretKeyring::kLabel.toUtf8();
        const QByteArray secretUtf8 = secret.toUtf8();
        succeeded = api->store(&kSchema, attributes, SECRET_COLLECTION_DEFAULT, label.constData(),
            secretUtf8.constData(), nullptr, &error);
    }
    g_hash_table_unref(attributes);
    g_clear_error(&error);
    return succeeded;
}

SecretKeyring::Secrets readItems()
{
    const Libsecret *api = libsecret();
    SecretKeyring::Secrets secrets;
    GError *error = nullptr;
    GHashTable *ours = attributesFor();
    GList *items = api->search(&kSchema, ours, SecretSearchFlags(SECRET_SEARCH_ALL), nullptr, &error);
    g_hash_table_unref(ours);
    g_clear_error(&error);
    for (GList *l = items; l; l = l->next) {
        auto *item = static_cast<SecretRetrievable *>(l->data);
        GHashTable *attributes = api->attributesOf(item);
        const auto *server = static_cast<const char *>(g_hash_table_lookup(attributes, "server"));
        SecretValue *value = server ? api->retrieve(item, nullptr, &error) : nullptr;
        g_clear_error(&error);
        if (value) {
            gsize length = 0;
            const gchar *text = api->valueText(value, &length);
            secrets.insert(QString::fromUtf8(server), QString::fromUtf8(text, qsizetype(length)));
            api->valueUnref(value);
        }
        g_hash_table_unref(attributes);
    }
    g_list_free_full(items, api->objectUnref);
    return secrets;
}

} // namespace
#endif

void SecretKeyring::load(const QString &olderItemServer)
{
    m_worker.start([this, olderItemServer] {
        bool available = false;
        Secrets secrets;
#ifdef BRIVANE_HAVE_LIBSECRET
        available = keyringUsable();
        if (available) {
            const Libsecret *api = libsecret();
            secrets = readItems();
            GError *error = nullptr;
            GHashTable *ours = attributesFor();
            gchar *older = api->lookup(&kOlderSchema, ours, nullptr, &error);
            g_clear_error(&error);
            if (older) {
                const QString secret = QString::fromUtf8(older);
                api->freePassword(older);
                // The older item goes only once its secret is safe in its new place.
                const bool kept = secrets.contains(olderItemServer) || storeItem(olderItemServer, secret);
                if (kept) {
                    secrets.insert(olderItemServer, secrets.value(olderItemServer, secret));
                    api->clear(&kOlderSchema, ours, nullptr, &error);
                    g_clear_error(&error);
                }
            }
            g_hash_table_unref(ours);
        }
#endif
        QMetaObject::invokeMethod(
            this, [this, available, secrets] { Q_EMIT loaded(available, secrets); }, Qt::QueuedConnection);
    });
}

void SecretKeyring::store(const QString &server, const QString &secret)
{
    bool start = false;
    {
        QMutexLocker lock(&m_mutex);
        start = m_pending.isEmpty();
        m_pending.insert(server, secret);
    }
    if (start)
        m_worker.start([this] { writePending(); });
}

void SecretKeyring::writePending()
{
    Secrets writes;
    {
        QMutexLocker lock(&m_mutex);
        writes.swap(m_pending);
    }
    for (auto it = writes.cbegin(); it != writes.cend(); ++it) {
        bool succeeded = false;
#ifdef BRIVANE_HAVE_LIBSECRET
        // A keyring locked since the last look would raise a prompt.
        succeeded = keyringUsable() && storeItem(it.key(), it.value());
#endif
        QMetaObject::invokeMethod(
            this, [this, server = it.key(), succeeded] { Q_EMIT stored(server, succeeded); },
            Qt::QueuedConnection);
    }
}
