// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ModelList.h"

#include "platform/HttpStreamClient.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

ModelList::ModelList(QObject *parent)
    : QObject(parent)
{
    m_deadline.setSingleShot(true);
    m_deadline.setInterval(kDeadlineMs);
    connect(&m_deadline, &QTimer::timeout, this, [this] { finish({}); });
}

void ModelList::start(HttpStreamClient &client, const HttpRequest &request)
{
    m_stream = client.start(request, this);
    connect(m_stream, &HttpStream::responseStarted, this, [this](int status) { m_status = status; });
    connect(m_stream, &HttpStream::bytesArrived, this, [this](const QByteArray &bytes) {
        if (m_body.size() + bytes.size() > kMaxBodyBytes) {
            m_tooLarge = true;
            finish({});
            return;
        }
        m_body += bytes;
    });
    connect(m_stream, &HttpStream::finished, this, [this](bool succeeded) {
        const bool usable = succeeded && m_status >= 200 && m_status < 300 && !m_tooLarge;
        finish(usable ? namesFromBody(m_body) : QStringList());
    });
    m_deadline.start();
}

QStringList ModelList::namesFromBody(QByteArrayView body)
{
    if (body.size() > kMaxBodyBytes)
        return {};
    const QJsonValue data = QJsonDocument::fromJson(body.toByteArray()).object().value(QLatin1String("data"));
    if (!data.isArray() || data.toArray().size() > kMaxModels)
        return {};
    QStringList names;
    const QJsonArray models = data.toArray();
    for (const QJsonValue &model : models) {
        const QString name = model.toObject().value(QLatin1String("id")).toString();
        // A name is shown and sent back as typed: one short printable line.
        // An odd one is left out; the others are still offered.
        const bool printable = std::all_of(name.begin(), name.end(), [](QChar c) { return c.isPrint(); });
        if (name.isEmpty() || name.size() > kMaxNameChars || !printable)
            continue;
        if (!names.contains(name))
            names.append(name);
    }
    return names;
}

void ModelList::finish(const QStringList &names)
{
    if (!m_stream)
        return;
    m_deadline.stop();
    m_stream->disconnect(this);
    m_stream->deleteLater();
    m_stream = nullptr;
    Q_EMIT ended(names);
}
