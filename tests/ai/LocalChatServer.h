// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QMap>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QUrl>
#include <memory>

// A plain HTTP/1.1 server in the test process that plays the chat-completions
// service: it parses each request and hands the connection to the test,
// which writes the reply (or nothing) by hand.
class LocalChatServer
{
public:
    struct Request
    {
        QByteArray method;
        QByteArray path;
        QList<std::pair<QByteArray, QByteArray>> headers; // as received, in order
        QByteArray body;

        QByteArrayList values(const QByteArray &name) const
        {
            QByteArrayList found;
            for (const auto &[key, value] : headers) {
                if (key.compare(name, Qt::CaseInsensitive) == 0)
                    found << value;
            }
            return found;
        }
        QByteArray header(const QByteArray &name) const { return values(name).value(0); }
        int headerCount(const QByteArray &name) const { return int(values(name).size()); }
    };

    struct Exchange
    {
        Request request;
        QPointer<QTcpSocket> socket;
    };

    LocalChatServer()
    {
        m_server.listen(QHostAddress::LocalHost);
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection()) {
                ++m_connections;
                auto buffer = std::make_shared<QByteArray>();
                QObject::connect(socket, &QTcpSocket::readyRead, socket,
                    [this, socket, buffer] { readFrom(socket, *buffer); });
            }
        });
    }

    // The address the settings take: requests go to its /chat/completions.
    QString baseUrl() const { return QStringLiteral("http://127.0.0.1:%1/v1").arg(m_server.serverPort()); }
    int connections() const { return m_connections; }
    bool hasWaiting() const { return !m_waiting.isEmpty(); }

    // The next complete request, waiting for it up to `timeoutMs`.
    std::optional<Exchange> next(int timeoutMs = 10000)
    {
        if (!QTest::qWaitFor([this] { return !m_waiting.isEmpty(); }, timeoutMs))
            return std::nullopt;
        return m_waiting.takeFirst();
    }

    // Reply pieces in the service's format.
    static QByteArray streamHead()
    {
        return "HTTP/1.1 200 OK\r\nContent-Type: text/event-stream; charset=utf-8\r\n"
               "Transfer-Encoding: chunked\r\nCache-Control: no-cache\r\n\r\n";
    }
    static QByteArray chunk(const QByteArray &bytes)
    {
        return QByteArray::number(bytes.size(), 16) + "\r\n" + bytes + "\r\n";
    }
    static QByteArray lastChunk() { return "0\r\n\r\n"; }
    // One event as the service frames it: the data line and a blank line.
    static QByteArray event(const QByteArray &payload) { return "data: " + payload + "\n\n"; }
    // One streamed chunk as the service sends it, around `delta` and `finish`.
    static QByteArray deltaChunk(const QByteArray &delta, const QByteArray &finish = "null")
    {
        return "{\"id\":\"chatcmpl-9x\",\"object\":\"chat.completion.chunk\",\"created\":1718000000,"
               "\"model\":\"gpt-4o-mini-2024-07-18\",\"system_fingerprint\":\"fp_0aa8d3e20b\",\"choices\":[{"
               "\"index\":0,\"delta\":"
            + delta + ",\"logprobs\":null,\"finish_reason\":" + finish + "}]}";
    }
    // One content event carrying `text` (no quotes or backslashes in it).
    static QByteArray content(const QByteArray &text)
    {
        return event(deltaChunk("{\"content\":\"" + text + "\"}"));
    }
    // One chunk of the body, sent at once.
    static void send(QTcpSocket *socket, const QByteArray &bytes)
    {
        socket->write(chunk(bytes));
        socket->flush();
    }
    static QByteArray finishChunk() { return deltaChunk("{}", "\"stop\""); }

    // A whole response with a fixed length.
    static void replyWhole(QTcpSocket *socket, const QByteArray &statusLine, const QByteArray &body)
    {
        socket->write("HTTP/1.1 " + statusLine + "\r\nContent-Type: application/json\r\nContent-Length: "
            + QByteArray::number(body.size()) + "\r\n\r\n" + body);
        socket->flush();
    }

    // Sends a whole chunked body (already framed lines) and ends it.
    static void replyStream(QTcpSocket *socket, const QByteArray &body)
    {
        socket->write(streamHead());
        if (!body.isEmpty())
            socket->write(chunk(body));
        socket->write(lastChunk());
        socket->flush();
    }

private:
    void readFrom(QTcpSocket *socket, QByteArray &buffer)
    {
        buffer += socket->readAll();
        const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
        if (headerEnd < 0)
            return;
        Request request;
        const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
        const QList<QByteArray> start = lines.value(0).trimmed().split(' ');
        request.method = start.value(0);
        request.path = start.value(1);
        qsizetype length = 0;
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QByteArray line = lines.at(i).endsWith('\r') ? lines.at(i).chopped(1) : lines.at(i);
            const qsizetype colon = line.indexOf(':');
            if (colon <= 0)
                continue;
            const QByteArray name = line.left(colon);
            const QByteArray value = line.mid(colon + 1).trimmed();
            request.headers.append({ name, value });
            if (name.compare("content-length", Qt::CaseInsensitive) == 0)
                length = value.toLongLong();
        }
        if (buffer.size() < headerEnd + 4 + length)
            return;
        request.body = buffer.mid(headerEnd + 4, length);
        buffer.remove(0, headerEnd + 4 + length);
        m_waiting.append({ request, socket });
    }

    QTcpServer m_server;
    QList<Exchange> m_waiting;
    int m_connections = 0;
};
