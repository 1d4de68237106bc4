// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// libFuzzer harness for the preferences file reader: any file image is parsed
// without a crash, the store built from that file reads every key with every
// type without a crash, and each value reads back as exactly one type that
// agrees with the file. The notes store then takes its list from it.
#include "desk/NotesStore.h"
#include "platform/KeyValueStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <unistd.h>

namespace {

QString imagePath()
{
    // A file per input: in memory where possible, a disk would be the
    // bottleneck.
    // Never destroyed: the exit handler that removes the file runs after
    // static destructors registered before it.
    static const QString *const path = [] {
        const QString shm = QStringLiteral("/dev/shm");
        const QString dir = QFileInfo(shm).isWritable() ? shm : QDir::tempPath();
        auto *file
            = new QString(dir + QStringLiteral("/brivane-fuzz-preferences-%1.json").arg(qint64(getpid())));
        std::atexit([] { QFile::remove(imagePath()); });
        return file;
    }();
    return *path;
}

bool writeImage(const QByteArray &bytes)
{
    QFile file(imagePath());
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<QJsonObject> parsed = KeyValueStore::parse(bytes);
    if (!writeImage(bytes))
        return 0;

    KeyValueStore store(imagePath());
    if (!parsed) {
        // A corrupt file reads as empty.
        if (store.contains(QStringLiteral("brivane_notes")) || store.contains(QString()))
            __builtin_trap();
        return 0;
    }
    for (auto it = parsed->begin(); it != parsed->end(); ++it) {
        const QString &key = it.key();
        if (!store.contains(key))
            __builtin_trap();
        const auto blob = store.data(key);
        const auto text = store.string(key);
        const auto list = store.stringArray(key);
        if (int(blob.has_value()) + int(text.has_value()) + int(list.has_value()) > 1)
            __builtin_trap();
        const QJsonValue value = it.value();
        if (value.isString() && text != value.toString())
            __builtin_trap();
        if (list && QJsonArray::fromStringList(*list) != value.toArray())
            __builtin_trap();
        if (blob && !value.isObject())
            __builtin_trap();
    }

    // The notes store reads its list from the same file at start.
    const NotesStore notes(store);
    const auto blob = store.data(NotesStore::key);
    const auto decoded = blob ? NotesStore::decode(*blob) : std::nullopt;
    if (notes.count() != (decoded ? decoded->size() : 0))
        __builtin_trap();
    return 0;
}
