// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SecretKeyring.h"

#include <QMetaObject>
#include <QMutexLocker>

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

// Whether a Secret Service runs in this session now. Asked first because
// libsecret would otherwise have the bus start one, leaving a keyring daemon
// with nothing unlocked behind in sessions that chose to run none.
bool serviceRunning()
{
    GError *error = nullptr;
    GDBusConnection *bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error);
    if (!bus) {
        g_clear_error(&error);
        return false;
    }
    GVariant *reply = g_dbus_connection_call_sync(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus",
        "org.freedesktop.DBus", "NameHasOwner", g_variant_new("(s)", "org.freedesktop.secrets"),
        G_VARIANT_TYPE("(b)"), G_DBUS_CALL_FLAGS_NONE, 5000, nullptr, &error);
    g_clear_error(&error);
    gboolean running = FALSE;
    if (reply) {
        g_variant_get(reply, "(b)", &running);
        g_variant_unref(reply);
    }
    g_object_unref(bus);
    return running;
}

// True when the default collection is there and open; a locked or missing one
// would need a prompt, which a utility in the background must not raise.
bool keyringUsable()
{
    if (!serviceRunning())
        return false;
    GError *error = nullptr;
    SecretService *service = secret_service_get_sync(SECRET_SERVICE_NONE, nullptr, &error);
    if (!service) {
        g_clear_error(&error);
        return false;
    }
    SecretCollection *collection = secret_collection_for_alias_sync(
        service, SECRET_COLLECTION_DEFAULT, SECRET_COLLECTION_NONE, nullptr, &error);
    g_clear_error(&error);
    const bool usable = collection && !secret_collection_get_locked(collection);
    if (collection)
        g_object_unref(collection);
    g_object_unref(service);
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
    GError *error = nullptr;
    const QByteArray serverUtf8 = server.toUtf8();
    bool succeeded = false;
    if (secret.isEmpty()) {
        secret_password_clear_sync(&kSchema, nullptr, &error, "application", kApplication, "server",
            serverUtf8.constData(), nullptr);
        // Clearing what is not there is no failure.
        succeeded = !error;
    } else {
        // Storing over an item with the same attributes replaces it in
        // place: a failed write leaves the old secret as it was.
        const QByteArray label = SecretKeyring::kLabel.toUtf8();
        const QByteArray secretUtf8 = secret.toUtf8();
        succeeded = secret_password_store_sync(&kSchema, SECRET_COLLECTION_DEFAULT, label.constData(),
            secretUtf8.constData(), nullptr, &error, "application", kApplication, "server",
            serverUtf8.constData(), nullptr);
    }
    g_clear_error(&error);
    return succeeded;
}

SecretKeyring::Secrets readItems()
{
    SecretKeyring::Secrets secrets;
    GError *error = nullptr;
    GList *items = secret_password_search_sync(&kSchema, SecretSearchFlags(SECRET_SEARCH_ALL), nullptr,
        &error, "application", kApplication, nullptr);
    g_clear_error(&error);
    for (GList *l = items; l; l = l->next) {
        auto *item = static_cast<SecretRetrievable *>(l->data);
        GHashTable *attributes = secret_retrievable_get_attributes(item);
        const auto *server = static_cast<const char *>(g_hash_table_lookup(attributes, "server"));
        SecretValue *value
            = server ? secret_retrievable_retrieve_secret_sync(item, nullptr, &error) : nullptr;
        g_clear_error(&error);
        if (value) {
            gsize length = 0;
            const gchar *text = secret_value_get(value, &length);
            secrets.insert(QString::fromUtf8(server), QString::fromUtf8(text, qsizetype(length)));
            secret_value_unref(value);
        }
        g_hash_table_unref(attributes);
    }
    g_list_free_full(items, g_object_unref);
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
            secrets = readItems();
            GError *error = nullptr;
            gchar *older = secret_password_lookup_sync(
                &kOlderSchema, nullptr, &error, "application", kApplication, nullptr);
            g_clear_error(&error);
            if (older) {
                const QString secret = QString::fromUtf8(older);
                secret_password_free(older);
                // The older item goes only once its secret is safe in its new place.
                const bool kept = secrets.contains(olderItemServer) || storeItem(olderItemServer, secret);
                if (kept) {
                    secrets.insert(olderItemServer, secrets.value(olderItemServer, secret));
                    secret_password_clear_sync(
                        &kOlderSchema, nullptr, &error, "application", kApplication, nullptr);
                    g_clear_error(&error);
                }
            }
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
