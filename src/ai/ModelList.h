// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayView>
#include <QObject>
#include <QStringList>
#include <QTimer>

class HttpStream;
class HttpStreamClient;
struct HttpRequest;

// Reads one answer to GET {address}/models into the names it offers.
// Anything unexpected (an error status, a body that is too large or not the
// usual list) offers nothing. Ends exactly once, within the deadline.
class ModelList : public QObject
{
    Q_OBJECT
public:
    static constexpr qsizetype kMaxBodyBytes = 512 * 1024;
    static constexpr qsizetype kMaxModels = 500;
    static constexpr qsizetype kMaxNameChars = 200;
    static constexpr int kDeadlineMs = 5000;

    explicit ModelList(QObject *parent = nullptr);
    void start(HttpStreamClient &client, const HttpRequest &request);

    // The model names of a list document ({"data":[{"id":...}, ...]}), in
    // the server's order; empty when the body is not one.
    static QStringList namesFromBody(QByteArrayView body);

Q_SIGNALS:
    void ended(const QStringList &names);

private:
    void finish(const QStringList &names);

    HttpStream *m_stream = nullptr;
    QTimer m_deadline;
    QByteArray m_body;
    int m_status = 0;
    bool m_tooLarge = false;
};
