// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/ImageLoader.h"
#include "platform/NowPlayingService.h"
#include "platform/VolumeControl.h"

#include <QMutex>
#include <QMutexLocker>
#include <QTimer>
#include <memory>

// A now-playing service that answers with whatever the test set, one event
// loop turn later (or not at all while `hold` is set).
class FakeService : public NowPlayingService
{
public:
    std::optional<NowPlayingTrack> answer;
    int queries = 0;
    bool hold = false;
    QList<Answer> held;
    QList<QPair<QString, Command>> sent;

    void query(Answer done) override
    {
        ++queries;
        if (hold) {
            held << done;
            return;
        }
        QTimer::singleShot(0, this, [this, done] { done(answer); });
    }
    void send(const QString &busName, Command command, std::function<void()> done) override
    {
        sent << qMakePair(busName, command);
        QTimer::singleShot(0, this, done);
    }
    bool isQuiet = false;
    bool quiet() const override { return isQuiet; }
    void changed() { Q_EMIT playersChanged(); }
};

class FakeVolume : public VolumeControl
{
public:
    bool available() override { return true; }
    void setPercent(int percent) override
    {
        QMutexLocker lock(&m_mutex);
        m_sent << percent;
    }
    std::optional<int> readPercent() override { return std::nullopt; }
    QList<int> sent() const
    {
        QMutexLocker lock(&m_mutex);
        return m_sent;
    }

private:
    mutable QMutex m_mutex;
    QList<int> m_sent;
};

class FakeImages : public ImageLoader
{
public:
    QImage load(const QUrl &url) override
    {
        QMutexLocker lock(&m_mutex);
        m_urls << url;
        QImage image(4, 3, QImage::Format_RGB32);
        image.fill(Qt::red);
        return image;
    }
    QList<QUrl> urls() const
    {
        QMutexLocker lock(&m_mutex);
        return m_urls;
    }

private:
    mutable QMutex m_mutex;
    QList<QUrl> m_urls;
};
