// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// libFuzzer harness for the stored notes list ("brivane_notes"): any bytes
// decode without a crash, and whatever decodes is written back by the encoder
// in a form that decodes to exactly the same notes.
#include "desk/NotesModel.h"
#include "desk/NotesStore.h"
#include "ui/Text.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto notes = NotesStore::decode(bytes);
    if (!notes)
        return 0;
    for (const NotesStore::Note &note : *notes) {
        if (!std::isfinite(note.date))
            __builtin_trap();
        // What a row of the notes list shows: the date and time in local
        // time, whatever the stored date, and a bounded prefix of the text.
        NotesModel::timeText(note.date);
        NotesModel::dateText(note.date);
        const QString preview = Text::bounded(note.text, 300);
        if (!note.text.startsWith(preview) || preview.size() > 300)
            __builtin_trap();
        // A cut never splits a surrogate pair (a lone one in the text stays).
        if (preview.size() < note.text.size() && !preview.isEmpty() && preview.back().isHighSurrogate()
            && note.text.at(preview.size()).isLowSurrogate())
            __builtin_trap();
    }
    const auto encoded = NotesStore::encode(*notes);
    if (!encoded)
        __builtin_trap(); // every decoded date is finite, so it encodes
    const auto again = NotesStore::decode(*encoded);
    if (!again || *again != *notes)
        __builtin_trap();
    return 0;
}
