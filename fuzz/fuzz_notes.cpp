// libFuzzer harness for the stored notes list ("brivane_notes"): any bytes
// decode without a crash, and whatever decodes is written back by the encoder
// in a form that decodes to exactly the same notes.
#include "desk/NotesStore.h"

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
        // What the notes list shows for the date: must not overflow.
        NotesStore::dateTimeFrom(note.date).toString(Qt::ISODate);
    }
    const auto encoded = NotesStore::encode(*notes);
    if (!encoded)
        __builtin_trap(); // every decoded date is finite, so it encodes
    const auto again = NotesStore::decode(*encoded);
    if (!again || *again != *notes)
        __builtin_trap();
    return 0;
}
