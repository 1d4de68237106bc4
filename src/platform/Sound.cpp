// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Sound.h"

#ifdef BRIVANE_HAVE_CANBERRA
#include <canberra.h>
#endif

bool Sound::playEvent(const QString &eventId)
{
#ifdef BRIVANE_HAVE_CANBERRA
    // One context for the whole run; libcanberra plays asynchronously.
    static ca_context *context = [] {
        ca_context *ctx = nullptr;
        if (ca_context_create(&ctx) != CA_SUCCESS)
            return static_cast<ca_context *>(nullptr);
        ca_context_change_props(
            ctx, CA_PROP_APPLICATION_NAME, "Brivane", CA_PROP_APPLICATION_ID, "org.brivane.Brivane", nullptr);
        return ctx;
    }();
    if (!context)
        return false;
    const QByteArray id = eventId.toUtf8();
    return ca_context_play(context, 0, CA_PROP_EVENT_ID, id.constData(), nullptr) == CA_SUCCESS;
#else
    Q_UNUSED(eventId);
    return false;
#endif
}
