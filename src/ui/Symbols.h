// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

// Maps the product's symbol names ("music.note", "play.fill", ...) to glyphs
// of the Material Icons font, the one place that knows both vocabularies.
class Symbols : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(QString fontFamily READ fontFamily CONSTANT)
public:
    explicit Symbols(QObject *parent = nullptr);

    // The glyph text for a symbol name; an unknown name gives "".
    Q_INVOKABLE static QString glyph(const QString &name);

    // Family of the icon font, loaded once from the system font directory.
    static QString fontFamily();
    // Loads the icon font into the application font database; false if absent.
    static bool loadFont();
};
