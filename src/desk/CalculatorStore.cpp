// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CalculatorStore.h"

#include "ui/Theme.h"

#include <QColor>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <utility>

const QString CalculatorStore::divide = QStringLiteral("\u00F7");
const QString CalculatorStore::multiply = QStringLiteral("\u00D7");
const QString CalculatorStore::plusMinus = QStringLiteral("\u00B1");

namespace {

bool isDigitKey(const QString &key)
{
    return key.size() == 1 && key.at(0) >= u'0' && key.at(0) <= u'9';
}

// Digits with at most one point (at least one digit), then an optional
// exponent; the minus sign is checked by the caller.
bool isDecimalNumber(QStringView s)
{
    qsizetype i = 0;
    const qsizetype n = s.size();
    auto isDigit = [&](qsizetype at) { return at < n && s.at(at) >= u'0' && s.at(at) <= u'9'; };
    int digits = 0;
    while (isDigit(i)) {
        ++i;
        ++digits;
    }
    if (i < n && s.at(i) == u'.') {
        ++i;
        while (isDigit(i)) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (i < n && (s.at(i) == u'e' || s.at(i) == u'E')) {
        ++i;
        if (i < n && (s.at(i) == u'+' || s.at(i) == u'-'))
            ++i;
        if (!isDigit(i))
            return false;
        while (isDigit(i))
            ++i;
    }
    return i == n;
}

double cLocaleStrtod(const QByteArray &text)
{
    // The user's locale may write a decimal comma; numbers here never do.
    static const locale_t cLocale = newlocale(LC_NUMERIC_MASK, "C", locale_t(nullptr));
    return strtod_l(text.constData(), nullptr, cLocale);
}

} // namespace

CalculatorStore::CalculatorStore(QObject *parent)
    : QObject(parent)
{
}

void CalculatorStore::setDisplay(const QString &display)
{
    if (display == m_display)
        return;
    m_display = display;
    Q_EMIT displayChanged();
}

void CalculatorStore::input(const QString &key)
{
    if (!isDigitKey(key) && key != QLatin1String("."))
        return;
    QString next = m_display;
    if (m_hasResult && isDigitKey(key)) {
        next.clear();
        m_hasResult = false;
    }
    if (next == QLatin1String("0") && key != QLatin1String("."))
        next = key;
    else
        next += key;
    setDisplay(next);
}

void CalculatorStore::operation(const QString &key)
{
    m_prev = number(m_display);
    m_op = key;
    setDisplay(QStringLiteral("0"));
}

void CalculatorStore::equals()
{
    const double current = number(m_display);
    double result = current;
    if (m_op == QLatin1String("+"))
        result = m_prev + current;
    else if (m_op == QLatin1String("-"))
        result = m_prev - current;
    else if (m_op == multiply)
        result = m_prev * current;
    else if (m_op == divide)
        result = current != 0 ? m_prev / current : 0;
    setDisplay(format(result));
    m_hasResult = true;
    m_op.clear();
}

void CalculatorStore::clear()
{
    setDisplay(QStringLiteral("0"));
    m_op.clear();
    m_prev = 0;
    m_hasResult = false;
}

void CalculatorStore::press(const QString &key)
{
    if (key == QLatin1String("C")) {
        clear();
    } else if (key == QLatin1String("=")) {
        equals();
    } else if (key == divide || key == multiply || key == QLatin1String("-") || key == QLatin1String("+")) {
        operation(key);
    } else if (key == plusMinus) {
        if (const auto value = parse(m_display))
            setDisplay(shortest(-*value));
    } else if (key == QLatin1String("%")) {
        if (const auto value = parse(m_display))
            setDisplay(shortest(*value / 100));
    } else {
        input(key);
    }
}

QVariantList CalculatorStore::keys()
{
    const QStringList grid { QStringLiteral("C"), plusMinus, QStringLiteral("%"), divide, QStringLiteral("7"),
        QStringLiteral("8"), QStringLiteral("9"), multiply, QStringLiteral("4"), QStringLiteral("5"),
        QStringLiteral("6"), QStringLiteral("-"), QStringLiteral("1"), QStringLiteral("2"),
        QStringLiteral("3"), QStringLiteral("+"), QStringLiteral("0"), QStringLiteral("."),
        QStringLiteral("="), QStringLiteral("=") };
    auto withAlpha = [](QColor c, qreal alpha) {
        c.setAlphaF(alpha);
        return c;
    };
    QVariantList out;
    bool seenEquals = false;
    for (const QString &key : grid) {
        // Unique item names for views and tests: the second "=" is "key_=_2".
        QString name = QLatin1String("key_") + key;
        if (key == QLatin1String("=") && std::exchange(seenEquals, true))
            name += QLatin1String("_2");
        QColor fill, border, label;
        if (key == QLatin1String("C")) {
            fill = withAlpha(Theme::red(), 0.3);
            border = withAlpha(Theme::red(), 0.5);
            label = Theme::red();
        } else if (key == divide || key == multiply || key == QLatin1String("-") || key == QLatin1String("+")
            || key == QLatin1String("=")) {
            fill = withAlpha(Theme::blue(), 0.4);
            border = withAlpha(Theme::blue(), 0.5);
            label = Theme::blue();
        } else if (key == plusMinus || key == QLatin1String("%")) {
            fill = withAlpha(Theme::white(), 0.1);
            border = withAlpha(Theme::white(), 0.1);
            label = Theme::white();
        } else {
            fill = withAlpha(Theme::white(), 0.06);
            border = withAlpha(Theme::white(), 0.1);
            label = Theme::white();
        }
        out.append(QVariantMap {
            { QStringLiteral("key"), key },
            { QStringLiteral("name"), name },
            { QStringLiteral("fill"), fill },
            { QStringLiteral("border"), border },
            { QStringLiteral("label"), label },
        });
    }
    return out;
}

std::optional<double> CalculatorStore::parse(const QString &text)
{
    QStringView body(text);
    if (body.startsWith(u'-'))
        body = body.mid(1);
    const bool word = body.compare(u"inf", Qt::CaseInsensitive) == 0
        || body.compare(u"infinity", Qt::CaseInsensitive) == 0
        || body.compare(u"nan", Qt::CaseInsensitive) == 0;
    if (!word && !isDecimalNumber(body))
        return std::nullopt;
    // Validated above, so the conversion reads the whole text; a magnitude
    // beyond the double range reads as an infinity.
    return cLocaleStrtod(text.toLatin1());
}

double CalculatorStore::number(const QString &text)
{
    return parse(text).value_or(0.0);
}

QString CalculatorStore::format(double x)
{
    // Only a whole number that fits a signed 64-bit integer is written as one:
    // converting a larger double would be undefined.
    const bool whole = std::isfinite(x) && x - std::trunc(x) == 0;
    const bool fits = x >= -9223372036854775808.0 && x < 9223372036854775808.0;
    if (whole && fits)
        return QString::number(qint64(x));
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed, 4);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

QString CalculatorStore::shortest(double x)
{
    if (std::isnan(x))
        return std::signbit(x) ? QStringLiteral("-nan") : QStringLiteral("nan");
    if (std::isinf(x))
        return x < 0 ? QStringLiteral("-inf") : QStringLiteral("inf");
    char buffer[64];
    // The decimal exponent of the shortest digits decides the notation:
    // fixed from 1e-4 up to below 1e16, scientific outside.
    const auto sci = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::scientific);
    const QByteArray scientific(buffer, sci.ptr - buffer);
    const int exponent = scientific.mid(scientific.indexOf('e') + 1).toInt();
    if (x == 0 || (exponent >= -4 && exponent < 16)) {
        const auto fixed = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed);
        QString text = QString::fromLatin1(buffer, fixed.ptr - buffer);
        if (!text.contains(QLatin1Char('.')))
            text += QLatin1String(".0");
        return text;
    }
    return QString::fromLatin1(scientific);
}
