// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLocale>
#include <QString>

class QCoreApplication;

namespace Translations {

// Where the build puts the catalogues, brivane_<language>.qm.
inline QString defaultDirectory()
{
    return QStringLiteral(":/i18n");
}

// Installs the catalogue for the first of the locale's languages that has
// one; QLocale::system() follows LANGUAGE, LC_ALL, LC_MESSAGES and LANG.
// Returns false, and leaves the texts in English, when none matches or the
// catalogue cannot be read: a missing language is no reason to bother the
// user.
bool install(QCoreApplication *application, const QLocale &locale = QLocale::system(),
    const QString &directory = defaultDirectory());

} // namespace Translations
