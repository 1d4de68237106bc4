// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// libFuzzer harness for what a server address field and a server's model
// list hand us: the first line is a typed address, the rest a /models body.
// An address is taken only without credentials, query or fragment, over
// http(s); a refused one leaves nothing behind; every offered model name is a
// short printable line, offered once.
#include "ai/ModelList.h"
#include "ai/ServerAddress.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView input(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype newline = input.indexOf('\n');
    const QByteArrayView typed = newline < 0 ? input : input.first(newline);
    const QByteArrayView body = newline < 0 ? QByteArrayView() : input.sliced(newline + 1);

    const ServerAddress address = ServerAddress::check(QString::fromUtf8(typed));
    if (address.verdict == ServerAddress::Refused) {
        if (!address.url.isEmpty() || address.problem.isEmpty())
            __builtin_trap();
    } else {
        const QString scheme = address.url.scheme();
        if (!address.url.isValid() || !address.url.userInfo().isEmpty() || address.url.hasQuery()
            || address.url.hasFragment()
            || (scheme != QLatin1String("https") && scheme != QLatin1String("http")))
            __builtin_trap();
    }

    QStringList names = ModelList::namesFromBody(body);
    if (names.size() > ModelList::kMaxModels || names.removeDuplicates() != 0)
        __builtin_trap();
    for (const QString &name : names) {
        if (name.isEmpty() || name.size() > ModelList::kMaxNameChars
            || !std::all_of(name.begin(), name.end(), [](QChar c) { return c.isPrint(); }))
            __builtin_trap();
    }
    return 0;
}
