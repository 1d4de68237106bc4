// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ServerAddress.h"

#include <QHostAddress>

namespace {

// An IPv4 address written as IPv6 (::ffff:10.0.0.1) counts as what it is.
QHostAddress addressOf(const QString &host)
{
    const QHostAddress address(host);
    bool v4 = false;
    const quint32 ipv4 = address.protocol() == QAbstractSocket::IPv6Protocol ? address.toIPv4Address(&v4) : 0;
    return v4 ? QHostAddress(ipv4) : address;
}

bool isLoopback(const QString &host)
{
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return true;
    const QHostAddress address = addressOf(host);
    return !address.isNull() && address.isLoopback();
}

bool isPrivateRange(const QString &host)
{
    const QHostAddress address = addressOf(host);
    if (address.isNull())
        return false;
    static const QList<std::pair<QHostAddress, int>> ranges {
        { QHostAddress(QStringLiteral("10.0.0.0")), 8 },
        { QHostAddress(QStringLiteral("172.16.0.0")), 12 },
        { QHostAddress(QStringLiteral("192.168.0.0")), 16 },
        { QHostAddress(QStringLiteral("169.254.0.0")), 16 },
        // Shared address space, where mesh VPNs put their peers.
        { QHostAddress(QStringLiteral("100.64.0.0")), 10 },
        { QHostAddress(QStringLiteral("fc00::")), 7 },
        { QHostAddress(QStringLiteral("fe80::")), 10 },
    };
    for (const auto &[network, bits] : ranges) {
        if (address.isInSubnet(network, bits))
            return true;
    }
    return false;
}

} // namespace

ServerAddress ServerAddress::check(const QString &text)
{
    ServerAddress result;
    const QString trimmed = text.trimmed();
    const QUrl url(trimmed, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (trimmed.isEmpty() || !url.isValid() || url.host().isEmpty()
        || (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
        result.problem = tr("Enter an address that starts with http:// or https://.");
        return result;
    }
    // Credentials in the address would be stored in plain text and sent
    // with every request.
    if (!url.userInfo().isEmpty()) {
        result.problem = tr("Leave the user name and password out of the address.");
        return result;
    }
    if (url.hasQuery() || url.hasFragment()) {
        result.problem = tr("The address cannot have a query or a fragment.");
        return result;
    }
    QUrl normalised = url.adjusted(QUrl::StripTrailingSlash | QUrl::NormalizePathSegments);
    normalised.setScheme(scheme);
    result.url = normalised;
    if (scheme == QLatin1String("https") || isLoopback(url.host())) {
        result.verdict = Accepted;
    } else if (isPrivateRange(url.host())) {
        result.verdict = NeedsConfirmation;
    } else {
        result.url.clear();
        result.problem = tr("Plain http is only for this computer or a private network; use https.");
    }
    return result;
}

bool ServerAddress::isThisComputer(const QString &host)
{
    return isLoopback(host);
}

QString ServerAddress::originOf(const QUrl &url)
{
    QUrl origin;
    origin.setScheme(url.scheme().toLower());
    origin.setHost(url.host().toLower());
    const int defaultPort = origin.scheme() == QLatin1String("https") ? 443 : 80;
    if (url.port(defaultPort) != defaultPort)
        origin.setPort(url.port());
    return origin.toString(QUrl::FullyEncoded);
}

QUrl ServerAddress::endpoint(const QUrl &base, const QString &leaf)
{
    QUrl url = base;
    QString path = url.path();
    while (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    url.setPath(path + QLatin1Char('/') + leaf);
    return url;
}
