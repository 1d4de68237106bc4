// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>
#include <utility>

class QNetworkAccessManager;

// One request whose response body is wanted piece by piece as it arrives.
struct HttpRequest
{
    QByteArray method = QByteArrayLiteral("POST");
    QUrl url;
    QList<std::pair<QByteArray, QByteArray>> headers;
    QByteArray body;
    // Longest silence allowed on the connection before the transfer fails.
    int transferTimeoutMs = 60000;
};

// A running transfer. Signals come on the thread that started it, in this
// order: responseStarted once (when the status line and headers are in),
// bytesArrived any number of times, then finished exactly once. A transfer
// that fails before any response sends only finished.
class HttpStream : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // After a failed finish: whether the server could not be reached at all
    // (connection refused, unknown host), as opposed to a broken transfer.
    bool unreachable() const { return m_unreachable; }

Q_SIGNALS:
    void responseStarted(int status, const QString &reasonPhrase);
    void bytesArrived(const QByteArray &bytes);
    // `errorDescription` is empty on success and a readable sentence otherwise.
    // An HTTP error status by itself is not a failure here: the caller sees
    // the status and the body and decides.
    void finished(bool succeeded, const QString &errorDescription);

protected:
    bool m_unreachable = false;
};

// Starts streaming requests; the network itself lives behind this so that the
// callers can be tested against fakes.
class HttpStreamClient
{
public:
    virtual ~HttpStreamClient() = default;
    // The stream is owned by `parent`; deleting it aborts the transfer
    // without any further signal.
    virtual HttpStream *start(const HttpRequest &request, QObject *parent) = 0;
};

// The real client on QNetworkAccessManager: HTTPS with the system's
// certificate checks (never relaxed), redirects not followed (a bearer token
// must not travel to another host), the body handed on as it arrives.
class NetworkHttpStreamClient : public HttpStreamClient
{
public:
    NetworkHttpStreamClient();
    ~NetworkHttpStreamClient() override;
    HttpStream *start(const HttpRequest &request, QObject *parent) override;

private:
    QNetworkAccessManager *m_manager = nullptr;
};
