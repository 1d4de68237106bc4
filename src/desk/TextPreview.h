#pragma once

#include <QString>

namespace TextPreview {

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

} // namespace TextPreview
