// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// libFuzzer harness for the chat reply decoder: any body, cut into any
// pieces, must decode without a crash, within the line bound, and to the same
// fragments however it is cut.
#include "ai/ReplyStream.h"

#include <cstddef>
#include <cstdint>

namespace {

QList<QString> decode(QByteArrayView body, QByteArrayView cuts)
{
    ReplyStreamDecoder decoder;
    QList<QString> fragments;
    qsizetype at = 0;
    qsizetype cut = 0;
    while (at < body.size()) {
        const qsizetype piece = cuts.isEmpty() ? body.size() : 1 + uint8_t(cuts[cut++ % cuts.size()]);
        const qsizetype length = std::min(piece, body.size() - at);
        fragments += decoder.feed(body.sliced(at, length));
        at += length;
    }
    fragments += decoder.finish();
    return fragments;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The first bytes choose the cuts, the rest is the body.
    const QByteArrayView input(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype cutBytes
        = std::min<qsizetype>(input.isEmpty() ? 0 : uint8_t(input[0]) % 16, input.size());
    const QByteArrayView cuts = input.first(cutBytes);
    const QByteArrayView body = input.sliced(cutBytes);

    if (decode(body, cuts) != decode(body, {}))
        __builtin_trap();

    ReplyLineSplitter splitter;
    for (qsizetype at = 0; at < body.size(); at += 7) {
        for (const QByteArray &line :
            splitter.feed(body.sliced(at, std::min<qsizetype>(7, body.size() - at)))) {
            if (line.size() > ReplyLineSplitter::kMaxLineBytes || line.contains('\n'))
                __builtin_trap();
        }
        if (splitter.pendingBytes() > ReplyLineSplitter::kMaxLineBytes)
            __builtin_trap();
    }
    errorMessageFromBody(body);
    return 0;
}
