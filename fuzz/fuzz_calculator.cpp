// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// libFuzzer harness for the calculator: the input is a sequence of presses of
// the panel's keys. No sequence may crash, and the display always holds a
// short enough text made only of what numbers are written with.
#include "desk/CalculatorStore.h"

#include <QStringList>
#include <cstddef>
#include <cstdint>

namespace {

QStringList panelKeys()
{
    QStringList keys;
    for (const QVariant &entry : CalculatorStore::keys()) {
        const QString key = entry.toMap().value(QStringLiteral("key")).toString();
        if (!keys.contains(key))
            keys.append(key);
    }
    return keys;
}

bool validDisplay(const QString &display)
{
    if (display.isEmpty())
        return false;
    for (const QChar c : display) {
        if (!QStringLiteral("0123456789.-+einfa").contains(c))
            return false;
    }
    return true;
}

// The longest text a result can be written as: a double beyond the 64-bit
// range in "%.4f" (309 digits, the point, four decimals and a sign).
constexpr qsizetype kLongestResult = 320;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QStringList keys = panelKeys();
    if (keys.size() != 19)
        __builtin_trap(); // the grid lost or gained a key

    CalculatorStore calculator;
    for (size_t i = 0; i < size; ++i) {
        const qsizetype before = calculator.display().size();
        calculator.press(keys.at(data[i] % keys.size()));
        const QString &display = calculator.display();
        // Typing grows the display by one key at a time; anything else
        // writes a number.
        if (!validDisplay(display) || display.size() > std::max(before + 1, kLongestResult))
            __builtin_trap();
    }
    return 0;
}
