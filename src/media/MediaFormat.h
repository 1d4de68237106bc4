// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

// The text and the small decisions the now-playing views show, kept out of
// QML so they are tested in one place.
class MediaFormat : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
public:
    explicit MediaFormat(QObject *parent = nullptr);

    // Longest text a one-line label is given; the rest would be elided anyway.
    static constexpr qsizetype MaxLineLength = 300;

    // Minutes and two-digit seconds ("1:15", "10:00", "-0:05"). Seconds are
    // truncated toward zero; a time that is not a finite number of seconds
    // within range shows "0:00".
    Q_INVOKABLE static QString formatTime(double seconds);
    // The right-hand side of the time row: "-" and what is left of the track,
    // never less than nothing.
    Q_INVOKABLE static QString remainingTime(double elapsed, double duration);
    // Whether the progress bar and time row are shown at all.
    Q_INVOKABLE static bool hasProgress(double duration);
    // How much of the progress bar is filled, 0 to 1.
    Q_INVOKABLE static double progressFraction(double elapsed, double duration);
    // The position `seconds` after the player reported `reported`; it does
    // not run past the end.
    static double elapsedAfter(double reported, double seconds, double duration);

    // Text from a player made fit for one line: line breaks and other control
    // characters become spaces and the length is bounded.
    Q_INVOKABLE static QString oneLine(const QString &text);
    // "Artist — Title", or the title alone when there is no artist.
    Q_INVOKABLE static QString miniPlayerText(const QString &artist, const QString &title);
};
