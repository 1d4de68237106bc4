// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QObject>
#include <QtQml/qqmlregistration.h>

// The palette and the motion constants, kept in one place for every view.
class Theme : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(QColor red READ red CONSTANT)
    Q_PROPERTY(QColor orange READ orange CONSTANT)
    Q_PROPERTY(QColor yellow READ yellow CONSTANT)
    Q_PROPERTY(QColor green READ green CONSTANT)
    Q_PROPERTY(QColor cyan READ cyan CONSTANT)
    Q_PROPERTY(QColor blue READ blue CONSTANT)
    Q_PROPERTY(QColor purple READ purple CONSTANT)
    Q_PROPERTY(QColor pink READ pink CONSTANT)
    Q_PROPERTY(QColor white READ white CONSTANT)
    Q_PROPERTY(QColor black READ black CONSTANT)
    Q_PROPERTY(QColor card READ card CONSTANT)
    Q_PROPERTY(QString monospaceFamily READ monospaceFamily CONSTANT)
    // Springs given as (response, damping fraction) are played as eased
    // animations of the same length; these are their durations in ms.
    Q_PROPERTY(int expandSpringMs READ expandSpringMs CONSTANT)
    Q_PROPERTY(int tabSpringMs READ tabSpringMs CONSTANT)
public:
    explicit Theme(QObject *parent = nullptr);

    static QColor red() { return QColor(0xFF, 0x45, 0x3A); }
    static QColor orange() { return QColor(0xFF, 0x9F, 0x0A); }
    static QColor yellow() { return QColor(0xFF, 0xD6, 0x0A); }
    static QColor green() { return QColor(0x30, 0xD1, 0x58); }
    static QColor cyan() { return QColor(0x64, 0xD2, 0xFF); }
    static QColor blue() { return QColor(0x0A, 0x84, 0xFF); }
    static QColor purple() { return QColor(0xBF, 0x5A, 0xF2); }
    static QColor pink() { return QColor(0xFF, 0x37, 0x5F); }
    static QColor white() { return QColor(Qt::white); }
    static QColor black() { return QColor(Qt::black); }
    // The card body: red 0.08, green 0.08, blue 0.12.
    static QColor card() { return QColor::fromRgbF(0.08f, 0.08f, 0.12f); }
    static QColor named(const QString &name);
    static QString monospaceFamily();

    static int expandSpringMs() { return 500; }
    static int tabSpringMs() { return 300; }
};
