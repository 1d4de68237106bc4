// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCoreApplication>
#include <QString>
#include <QUrl>

// The address of an OpenAI-compatible server, as typed in the settings. Only
// http and https are taken; plain http only where nothing leaves the machine,
// or, once the user agrees, a private network.
struct ServerAddress
{
    Q_DECLARE_TR_FUNCTIONS(ServerAddress)
public:
    enum Verdict { Accepted, NeedsConfirmation, Refused };

    Verdict verdict = Refused;
    QUrl url; // normalised: no trailing slash; set unless Refused
    QString problem; // why it was refused, for the field

    static ServerAddress check(const QString &text);
    static QUrl defaultUrl() { return QUrl(QStringLiteral("https://api.openai.com/v1")); }
    // Whether host is this computer (localhost or a loopback address).
    static bool isThisComputer(const QString &host);
    // Where a key belongs: scheme, host and port ("https://api.openai.com",
    // "http://127.0.0.1:8080"), the same for every path on that server.
    static QString originOf(const QUrl &url);
    // `base` plus "/" plus `leaf`, for the chat and model list requests.
    static QUrl endpoint(const QUrl &base, const QString &leaf);
};
