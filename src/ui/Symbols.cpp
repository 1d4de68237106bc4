// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Symbols.h"

#include <QFile>
#include <QFontDatabase>
#include <QHash>

namespace {

// Material Icons code points (from the font's own code point table).
const QHash<QString, char16_t> &table()
{
    static const QHash<QString, char16_t> map {
        // tabs
        { QStringLiteral("music.note"), 0xe405 },
        { QStringLiteral("note.text"), 0xf1fc },
        { QStringLiteral("timer"), 0xe425 },
        { QStringLiteral("function.inset"), 0xea5f },
        { QStringLiteral("doc.on.clipboard"), 0xe14f },
        { QStringLiteral("bubble.left.fill"), 0xe0ca },
        { QStringLiteral("desktopcomputer"), 0xe30c },
        { QStringLiteral("tray.full"), 0xe1a1 },
        // transport and volume
        { QStringLiteral("play.fill"), 0xe037 },
        { QStringLiteral("pause.fill"), 0xe034 },
        { QStringLiteral("forward.end.fill"), 0xe044 },
        { QStringLiteral("backward.end.fill"), 0xe045 },
        { QStringLiteral("forward.fill"), 0xe01f },
        { QStringLiteral("backward.fill"), 0xe020 },
        { QStringLiteral("speaker.fill"), 0xe04e },
        { QStringLiteral("speaker.wave.3.fill"), 0xe050 },
        // stats
        { QStringLiteral("cpu"), 0xe30d },
        { QStringLiteral("memorychip"), 0xe322 },
        { QStringLiteral("internaldrive"), 0xe1db },
        { QStringLiteral("bolt.fill"), 0xea0b },
        { QStringLiteral("battery.75percent"), 0xebd4 },
        { QStringLiteral("clock"), 0xe8b5 },
        // desk tools and chat
        { QStringLiteral("doc.on.doc"), 0xe14d },
        { QStringLiteral("xmark.circle.fill"), 0xe5c9 },
        { QStringLiteral("plus.circle.fill"), 0xe147 },
        { QStringLiteral("arrow.up.circle.fill"), 0xf182 },
        { QStringLiteral("arrow.down.doc"), 0xe2c4 },
        { QStringLiteral("arrow.counterclockwise"), 0xe042 },
        { QStringLiteral("person.fill"), 0xe7fd },
        { QStringLiteral("sparkles"), 0xe65f },
        { QStringLiteral("key.fill"), 0xe0da },
        { QStringLiteral("trash"), 0xe872 },
        { QStringLiteral("gearshape"), 0xe8b8 },
        { QStringLiteral("arrow.up.forward.app"), 0xe89e },
    };
    return map;
}

QString &loadedFamily()
{
    static QString family = QStringLiteral("Material Icons");
    return family;
}

} // namespace

Symbols::Symbols(QObject *parent)
    : QObject(parent)
{
}

QString Symbols::glyph(const QString &name)
{
    const auto it = table().constFind(name);
    if (it == table().constEnd())
        return {};
    return QString(QChar(it.value()));
}

QString Symbols::fontFamily()
{
    loadFont();
    return loadedFamily();
}

bool Symbols::loadFont()
{
    static int id = -2;
    if (id != -2)
        return id >= 0;
    const QString path = QStringLiteral(
        "/usr/share/fonts/truetype/material-design-icons-iconfont/MaterialIcons-Regular.ttf");
    id = QFile::exists(path) ? QFontDatabase::addApplicationFont(path) : -1;
    if (id >= 0) {
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (!families.isEmpty())
            loadedFamily() = families.first();
    }
    return id >= 0;
}
