// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Translations.h"

#include <QCoreApplication>
#include <QTranslator>

namespace Translations {

bool install(QCoreApplication *application, const QLocale &locale, const QString &directory)
{
    // In the user's order of preference; English, the source language, ends
    // the search, so "en:de" keeps English.
    for (QString name : locale.uiLanguages()) {
        const QLocale::Language language = QLocale(name).language();
        if (language == QLocale::English || language == QLocale::C)
            return false;
        auto *translator = new QTranslator(application);
        if (translator->load(
                QStringLiteral("brivane_") + name.replace(QLatin1Char('-'), QLatin1Char('_')), directory)
            && !translator->isEmpty()) {
            QCoreApplication::installTranslator(translator);
            return true;
        }
        delete translator;
    }
    return false;
}

} // namespace Translations
