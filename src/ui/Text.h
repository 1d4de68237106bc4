// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// Text helpers shared by the rooms: none touches the system.
namespace Text {

// The first `maxChars` UTF-16 units of `text`, never ending inside a
// surrogate pair. Rows show two or a few lines, so a bounded prefix looks the
// same as the whole text while keeping layout cost independent of its length.
inline QString bounded(const QString &text, qsizetype maxChars)
{
    if (maxChars < 0 || text.size() <= maxChars)
        return text;
    qsizetype n = maxChars;
    if (n > 0 && text.at(n - 1).isHighSurrogate())
        --n;
    return text.left(n);
}

// `text` without leading and trailing spaces and tabs; line breaks stay.
inline QString trimmedSpacesAndTabs(const QString &text)
{
    const auto blank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && blank(text.at(begin)))
        ++begin;
    while (end > begin && blank(text.at(end - 1)))
        --end;
    return text.sliced(begin, end - begin);
}

} // namespace Text
