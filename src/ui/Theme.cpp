// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Theme.h"

#include <QFontDatabase>

Theme::Theme(QObject *parent)
    : QObject(parent)
{
}

QColor Theme::named(const QString &name)
{
    if (name == QLatin1String("red"))
        return red();
    if (name == QLatin1String("orange"))
        return orange();
    if (name == QLatin1String("yellow"))
        return yellow();
    if (name == QLatin1String("green"))
        return green();
    if (name == QLatin1String("cyan"))
        return cyan();
    if (name == QLatin1String("blue"))
        return blue();
    if (name == QLatin1String("purple"))
        return purple();
    if (name == QLatin1String("pink"))
        return pink();
    if (name == QLatin1String("black"))
        return black();
    return white();
}

QString Theme::monospaceFamily()
{
    return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
}
