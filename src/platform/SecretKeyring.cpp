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
// The "application" attribute finds the item whatever server it was saved for.
const SecretSchema kSchema = {
    "org.brivane.Brivane.AIKey",
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

void SecretKeyring::load()
{
    m_worker.start([this] {
        bool available = false;
        QString secret;
#ifdef BRIVANE_HAVE_LIBSECRET
        available = keyringUsable();
        if (available) {
            GError *error = nullptr;
            gchar *found = secret_password_lookup_sync(
                &kSchema, nullptr, &error, "application", kApplication, nullptr);
            if (error) {
                available = false;
                g_clear_error(&error);
            }
            if (found) {
                secret = QString::fromUtf8(found);
                secret_password_free(found);
            }
        }
#endif
        QMetaObject::invokeMethod(
            this, [this, available, secret] { Q_EMIT loaded(available, secret); }, Qt::QueuedConnection);
    });
}

void SecretKeyring::store(const QString &secret, const QString &server)
{
    bool start = false;
    {
        QMutexLocker lock(&m_mutex);
        start = !m_pending.has_value();
        m_pending = Write { secret, server };
    }
    if (start)
        m_worker.start([this] { writePending(); });
}

void SecretKeyring::writePending()
{
    Write write;
    {
        QMutexLocker lock(&m_mutex);
        if (!m_pending)
            return;
        write = *m_pending;
        m_pending.reset();
    }
    bool succeeded = false;
#ifdef BRIVANE_HAVE_LIBSECRET
    GError *error = nullptr;
    // One item only: an item saved for an earlier server goes first.
    secret_password_clear_sync(&kSchema, nullptr, &error, "application", kApplication, nullptr);
    g_clear_error(&error);
    if (write.secret.isEmpty()) {
        succeeded = true;
    } else {
        const QByteArray label = kLabel.toUtf8();
        const QByteArray secret = write.secret.toUtf8();
        const QByteArray server = write.server.toUtf8();
        succeeded = secret_password_store_sync(&kSchema, SECRET_COLLECTION_DEFAULT, label.constData(),
            secret.constData(), nullptr, &error, "application", kApplication, "server", server.constData(),
            nullptr);
        g_clear_error(&error);
    }
#endif
    QMetaObject::invokeMethod(
        this, [this, succeeded] { Q_EMIT stored(succeeded); }, Qt::QueuedConnection);
}
