// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "HttpStreamClient.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>

namespace {

class NetworkHttpStream : public HttpStream
{
public:
    NetworkHttpStream(QNetworkReply *reply, QObject *parent)
        : HttpStream(parent)
        , m_reply(reply)
    {
        // The reply is ours, so deleting the stream ends the transfer.
        m_reply->setParent(this);
        connect(m_reply, &QNetworkReply::metaDataChanged, this, &NetworkHttpStream::announceResponse);
        connect(m_reply, &QNetworkReply::readyRead, this, &NetworkHttpStream::readAvailable);
        connect(m_reply, &QNetworkReply::finished, this, &NetworkHttpStream::complete);
    }

    ~NetworkHttpStream() override
    {
        if (m_reply) {
            m_reply->disconnect(this);
            m_reply->abort();
        }
    }

private:
    void announceResponse()
    {
        if (m_announced)
            return;
        const QVariant status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        if (!status.isValid())
            return;
        m_announced = true;
        Q_EMIT responseStarted(
            status.toInt(), m_reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString());
    }

    void readAvailable()
    {
        announceResponse();
        if (!m_reply->isOpen())
            return; // aborted
        // Read everything each time, so the reply's own buffer never grows.
        const QByteArray bytes = m_reply->readAll();
        if (!bytes.isEmpty())
            Q_EMIT bytesArrived(bytes);
    }

    void complete()
    {
        readAvailable();
        const QNetworkReply::NetworkError error = m_reply->error();
        const bool httpStatusError = m_announced && isHttpStatusError(error);
        QString description;
        if (error != QNetworkReply::NoError && !httpStatusError)
            description = describe(error);
        m_unreachable
            = error == QNetworkReply::ConnectionRefusedError || error == QNetworkReply::HostNotFoundError;
        m_reply->disconnect(this);
        m_reply->deleteLater();
        m_reply = nullptr;
        Q_EMIT finished(description.isEmpty(), description);
    }

    // Errors that only restate a 4xx or 5xx status; the caller reads those
    // from the status and the body.
    static bool isHttpStatusError(QNetworkReply::NetworkError error)
    {
        return (error >= QNetworkReply::ContentAccessDenied && error <= QNetworkReply::UnknownContentError)
            || (error >= QNetworkReply::InternalServerError && error <= QNetworkReply::UnknownServerError)
            || error == QNetworkReply::ProtocolInvalidOperationError;
    }

    QString describe(QNetworkReply::NetworkError error) const
    {
        switch (error) {
        case QNetworkReply::TimeoutError:
        case QNetworkReply::OperationCanceledError:
            // Nothing here cancels a transfer except its idle timer.
            return QCoreApplication::translate("HttpStreamClient", "The request timed out");
        case QNetworkReply::RemoteHostClosedError:
            return m_announced
                ? QCoreApplication::translate(
                    "HttpStreamClient", "The connection was closed before the reply was complete")
                : QCoreApplication::translate("HttpStreamClient", "The server closed the connection");
        default:
            break;
        }
        const QString text = m_reply->errorString();
        return text.isEmpty() ? QCoreApplication::translate("HttpStreamClient", "The request failed") : text;
    }

    QPointer<QNetworkReply> m_reply;
    bool m_announced = false;
};

} // namespace

NetworkHttpStreamClient::NetworkHttpStreamClient() = default;

NetworkHttpStreamClient::~NetworkHttpStreamClient()
{
    delete m_manager;
}

HttpStream *NetworkHttpStreamClient::start(const HttpRequest &request, QObject *parent)
{
    QNetworkRequest networkRequest(request.url);
    networkRequest.setTransferTimeout(request.transferTimeoutMs);
    networkRequest.setAttribute(
        QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    for (const auto &[name, value] : request.headers)
        networkRequest.setRawHeader(name, value);
    // Made on first use: most runs never chat, and the network stack costs
    // memory from the moment it exists.
    if (!m_manager) {
        m_manager = new QNetworkAccessManager;
        m_manager->setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
    }
    QNetworkReply *reply = request.method == "POST"
        ? m_manager->post(networkRequest, request.body)
        : m_manager->sendCustomRequest(networkRequest, request.method, request.body);
    return new NetworkHttpStream(reply, parent);
}
