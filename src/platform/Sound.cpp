// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Sound.h"

#ifdef BRIVANE_HAVE_CANBERRA
#include <QLibrary>
#include <canberra.h>
#include <initializer_list>
#include <utility>
#endif

#ifdef BRIVANE_HAVE_CANBERRA
namespace {

// libcanberra and the codecs it pulls in are opened at the first sound, not
// at every launch.
struct Canberra
{
    decltype(&ca_context_create) create = nullptr;
    decltype(&ca_context_change_props_full) changeProps = nullptr;
    decltype(&ca_context_play_full) play = nullptr;
    decltype(&ca_proplist_create) propsCreate = nullptr;
    decltype(&ca_proplist_sets) propsSet = nullptr;
    decltype(&ca_proplist_destroy) propsDestroy = nullptr;
    ca_context *context = nullptr;
};

template<typename F>
bool resolve(QLibrary &library, F &function, const char *name)
{
    function = reinterpret_cast<F>(library.resolve(name));
    return function != nullptr;
}

// Properties given as name-value pairs; every one must be set.
ca_proplist *properties(
    const Canberra &api, std::initializer_list<std::pair<const char *, const char *>> pairs)
{
    ca_proplist *list = nullptr;
    if (api.propsCreate(&list) != CA_SUCCESS)
        return nullptr;
    for (const auto &[key, value] : pairs) {
        if (api.propsSet(list, key, value) != CA_SUCCESS) {
            api.propsDestroy(list);
            return nullptr;
        }
    }
    return list;
}

// One context for the whole run; libcanberra plays asynchronously.
const Canberra *canberra()
{
    static const Canberra *api = []() -> Canberra * {
        static Canberra loaded;
        QLibrary library(QStringLiteral("canberra"), 0);
        const bool complete = library.load() && resolve(library, loaded.create, "ca_context_create")
            && resolve(library, loaded.changeProps, "ca_context_change_props_full")
            && resolve(library, loaded.play, "ca_context_play_full")
            && resolve(library, loaded.propsCreate, "ca_proplist_create")
            && resolve(library, loaded.propsSet, "ca_proplist_sets")
            && resolve(library, loaded.propsDestroy, "ca_proplist_destroy");
        if (!complete || loaded.create(&loaded.context) != CA_SUCCESS)
            return nullptr;
        if (ca_proplist *names = properties(loaded,
                { { CA_PROP_APPLICATION_NAME, "Brivane" },
                    { CA_PROP_APPLICATION_ID, "org.brivane.Brivane" } })) {
            loaded.changeProps(loaded.context, names);
            loaded.propsDestroy(names);
        }
        return &loaded;
    }();
    return api;
}

} // namespace
#endif

bool Sound::playEvent(const QString &eventId)
{
#ifdef BRIVANE_HAVE_CANBERRA
    const Canberra *api = canberra();
    if (!api)
        return false;
    const QByteArray id = eventId.toUtf8();
    ca_proplist *event = properties(*api, { { CA_PROP_EVENT_ID, id.constData() } });
    if (!event)
        return false;
    const bool handed = api->play(api->context, 0, event, nullptr, nullptr) == CA_SUCCESS;
    api->propsDestroy(event);
    return handed;
#else
    Q_UNUSED(eventId);
    return false;
#endif
}
