// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>
#include <optional>

// A four-function pocket calculator: the display text, one pending operator
// and its left operand. One operation at a time, no precedence: a second
// operator before "=" replaces the first. Owned by the calculator panel.
class CalculatorStore : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString display READ display WRITE setDisplay NOTIFY displayChanged)
    // The key grid, row by row: [{key, name, fill, border, label}] with the key's
    // colours by class (clear, operator, function, digit).
    Q_PROPERTY(QVariantList keys READ keys CONSTANT)
public:
    explicit CalculatorStore(QObject *parent = nullptr);

    QString display() const { return m_display; }
    void setDisplay(const QString &display);

    // Digit keys "0" to "9" and ".".
    Q_INVOKABLE void input(const QString &key);
    // "÷", "×", "-" or "+": the display becomes the left operand.
    Q_INVOKABLE void operation(const QString &key);
    Q_INVOKABLE void equals();
    Q_INVOKABLE void clear();
    // What a click on any key of the grid does, "±" and "%" included.
    Q_INVOKABLE void press(const QString &key);

    static QVariantList keys();

    // The whole text as a double: an optional minus, digits with at most one
    // point, an optional exponent, or inf / nan; none for anything else.
    static std::optional<double> parse(const QString &text);
    // parse(), with 0 for text that is not a number.
    static double number(const QString &text);
    // Whole numbers as integers ("15", "-3"), anything else with "%.4f".
    static QString format(double x);
    // The shortest text that reads back as the same double, always with a
    // point or an exponent: "-5.0", "0.5", "5e-05", "1e+16".
    static QString shortest(double x);

    static const QString divide; // "÷"
    static const QString multiply; // "×"
    static const QString plusMinus; // "±"

Q_SIGNALS:
    void displayChanged();

private:
    QString m_display = QStringLiteral("0");
    double m_prev = 0;
    QString m_op; // empty when none is pending
    bool m_hasResult = false;
};
