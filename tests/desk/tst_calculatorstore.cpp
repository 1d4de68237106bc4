// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestSupport.h"
#include "desk/CalculatorStore.h"

#include <array>
#include <cmath>
#include <tuple>

class TestCalculatorStore : public QObject
{
    Q_OBJECT

    // Keys separated by spaces, "x" for "×", "/" for "÷", "pm" for "±".
    static QString run(const QString &keys)
    {
        CalculatorStore calc;
        for (QString key : keys.split(u' ', Qt::SkipEmptyParts)) {
            if (key == QLatin1String("x"))
                key = CalculatorStore::multiply;
            else if (key == QLatin1String("/"))
                key = CalculatorStore::divide;
            else if (key == QLatin1String("pm"))
                key = CalculatorStore::plusMinus;
            calc.press(key);
        }
        return calc.display();
    }

private Q_SLOTS:
    void keySequences_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("display");
        const QString nines = QStringLiteral("9 ").repeated(400);
        const QList<std::array<QString, 3>> rows {
            { "add", "7 + 8 =", "15" },
            { "equals again does not repeat", "7 + 8 = =", "15" },
            { "a third", "1 / 3 =", "0.3333" },
            { "a quarter keeps zeros", "1 / 4 =", "0.2500" },
            { "point one plus point two", "0 . 1 + 0 . 2 =", "0.3000" },
            { "multiply", "6 x 7 =", "42" },
            { "divide by zero", "5 / 0 =", "0" },
            { "no chaining", "2 + 3 + 4 =", "7" },
            { "second operator takes the zero", "5 + x 2 =", "0" },
            { "digit after result starts anew", "7 + 8 = 4", "4" },
            { "point after result appends", "7 + 8 = .", "15." },
            { "point after operator keeps the result flag", "7 = + . 5 =", "12" },
            { "negative result", "9 - 1 2 =", "-3" },
            { "leading zero replaced", "0 0 7", "7" },
            { "zero then point", "0 .", "0." },
            { "two points read as zero", "1 . 2 . + 3 =", "3" },
            { "clear", "7 + 8 C = ", "0" },
            { "negative zero is 0", "0 - 0 = x 1 =", "0" },
            { "plus-minus", "5 pm", "-5.0" },
            { "plus-minus twice", "5 pm pm", "5.0" },
            { "plus-minus on zero", "pm", "-0.0" },
            { "digit after plus-minus appends", "5 pm 2", "-5.02" },
            { "percent", "5 0 %", "0.5" },
            { "small percent", "0 . 0 0 5 %", "5e-05" },
            { "percent of a result", "1 / 8 = %", "0.00125" },
            { "functions ignore non-numbers", "1 . 2 . pm %", "1.2." },
            { "plus-minus keeps the pending operator", "9 - 4 pm =", "13" },
            { "typed beyond the double range", nines + "=", "inf" },
            { "negated infinity", nines + "= pm", "-inf" },
        };
        for (const auto &[name, keys, display] : rows)
            QTest::newRow(qPrintable(name)) << keys << display;
    }
    void keySequences()
    {
        QFETCH(QString, keys);
        QFETCH(QString, display);
        QCOMPARE(run(keys), display);
    }

    void wholeResultsBeyondSixtyFourBitsAreWrittenAsDecimals()
    {
        // 10^10 * 10^10 is whole but no 64-bit integer holds it.
        QCOMPARE(run("1 0 0 0 0 0 0 0 0 0 0 x 1 0 0 0 0 0 0 0 0 0 0 ="),
            QStringLiteral("100000000000000000000.0000"));
        QCOMPARE(CalculatorStore::format(9223372036854775807.0), QStringLiteral("9223372036854775808.0000"));
        QCOMPARE(CalculatorStore::format(-9223372036854775808.0), QStringLiteral("-9223372036854775808"));
        QCOMPARE(CalculatorStore::format(-1e300).left(6), QStringLiteral("-10000"));
        QCOMPARE(CalculatorStore::format(-0.0), QStringLiteral("0"));
        QCOMPARE(CalculatorStore::format(0.00004), QStringLiteral("0.0000"));
        QCOMPARE(CalculatorStore::format(std::nan("")), QStringLiteral("nan"));
    }

    void strictParse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<double>("value");
        const QList<std::tuple<QString, bool, double>> rows {
            { "42", true, 42.0 },
            { "-0.25", true, -0.25 },
            { "15.", true, 15.0 },
            { ".5", true, 0.5 },
            { "5e-05", true, 5e-05 },
            { "1e+16", true, 1e16 },
            { QString(400, u'9'), true, qInf() },
            { "-inf", true, -qInf() },
            // Only what the display itself can show is a number.
            { "", false, 0.0 },
            { "1.2.", false, 0.0 },
            { "-", false, 0.0 },
            { ".", false, 0.0 },
            { "+5", false, 0.0 },
            { " 5", false, 0.0 },
            { "0x10", false, 0.0 },
            { "5e", false, 0.0 },
            { "1,5", false, 0.0 },
            { "\u0665", false, 0.0 },
        };
        for (const auto &[text, valid, value] : rows)
            QTest::newRow(qPrintable(text.left(12))) << text << valid << value;
    }
    void strictParse()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(double, value);
        const auto parsed = CalculatorStore::parse(text);
        QCOMPARE(parsed.has_value(), valid);
        QCOMPARE(CalculatorStore::number(text), value);
        QVERIFY(std::isnan(CalculatorStore::number(QStringLiteral("nan"))));
    }

    void shortestTextReadsBackTheSameDouble_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        const QList<std::pair<double, QString>> rows { { -5.0, "-5.0" }, { -0.0, "-0.0" }, { 5e-05, "5e-05" },
            { 0.0001, "0.0001" }, { 1234567890123456.0, "1234567890123456.0" }, { 1e16, "1e+16" },
            { 1.5e300, "1.5e+300" }, { 0.1 + 0.2, "0.30000000000000004" }, { -qInf(), "-inf" } };
        for (const auto &[value, text] : rows)
            QTest::newRow(qPrintable(text)) << value << text;
    }
    void shortestTextReadsBackTheSameDouble()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(CalculatorStore::shortest(value), text);
        QCOMPARE(CalculatorStore::number(text), value);
    }

    void numbersIgnoreTheUserLocale()
    {
        // Some locales write a decimal comma; the calculator never does.
        const QByteArray before = setlocale(LC_NUMERIC, nullptr);
        if (!setlocale(LC_NUMERIC, "de_DE.UTF-8"))
            QSKIP("de_DE.UTF-8 locale not installed");
        QCOMPARE(CalculatorStore::number(QStringLiteral("0.5")), 0.5);
        QCOMPARE(CalculatorStore::format(0.5), QStringLiteral("0.5000"));
        setlocale(LC_NUMERIC, before.constData());
    }
};

BRIVANE_TEST_MAIN(TestCalculatorStore)
#include "tst_calculatorstore.moc"
