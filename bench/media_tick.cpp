// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Measures what a media poll tick costs the UI thread: the refresh() call
// plus every event the UI thread handles until the tick ends (the D-Bus
// replies and the field updates), with three MPRIS players on the bus.
#include "media/MediaStore.h"
#include "platform/ImageLoader.h"
#include "platform/MprisNowPlaying.h"
#include "platform/VolumeControl.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Times every event delivered on the UI thread while a tick is open.
class TimedApplication : public QGuiApplication
{
public:
    using QGuiApplication::QGuiApplication;
    bool measuring = false;
    qint64 spentNs = 0;

    bool notify(QObject *receiver, QEvent *event) override
    {
        if (!measuring || m_depth > 0)
            return QGuiApplication::notify(receiver, event);
        ++m_depth;
        QElapsedTimer timer;
        timer.start();
        const bool result = QGuiApplication::notify(receiver, event);
        spentNs += timer.nsecsElapsed();
        --m_depth;
        return result;
    }

private:
    int m_depth = 0;
};

int playerCount()
{
    int count = 0;
    const QStringList names = QDBusConnection::sessionBus().interface()->registeredServiceNames().value();
    for (const QString &name : names)
        count += name.startsWith(QLatin1String("org.mpris.MediaPlayer2.")) ? 1 : 0;
    return count;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TimedApplication app(argc, argv);
    const int ticks = argc > 1 ? std::max(10, atoi(argv[1])) : 200;

    // Three players: one playing, one paused, one stopped.
    const QString player = QCoreApplication::applicationDirPath() + QStringLiteral("/bench_media_player");
    const QList<QStringList> options { { "--name", "one", "--status", "Playing", "--title", "First" },
        { "--name", "two", "--status", "Paused", "--title", "Second" },
        { "--name", "three", "--status", "Stopped", "--title", "Third" } };
    std::vector<std::unique_ptr<QProcess>> players;
    for (const QStringList &arguments : options) {
        players.push_back(std::make_unique<QProcess>());
        players.back()->start(player, arguments);
        if (!players.back()->waitForReadyRead(5000)) {
            std::fprintf(stderr, "bench_media: %s did not start\n", qPrintable(player));
            return 1;
        }
    }
    if (playerCount() != 3) {
        std::fprintf(stderr, "bench_media: expected 3 players on the bus, found %d\n", playerCount());
        return 1;
    }

    MediaBackends backends;
    backends.service = std::make_shared<MprisNowPlaying>();
    backends.volume = std::make_shared<SystemVolume>();
    backends.images = std::make_shared<NetworkImageLoader>();
    backends.autoPoll = false;
    MediaStore store(backends);

    std::vector<qint64> costs;
    int found = 0;
    QObject::connect(&store, &MediaStore::tickFinished, &app, [&](bool trackFound) {
        app.measuring = false;
        costs.push_back(app.spentNs);
        found += trackFound ? 1 : 0;
        if (int(costs.size()) == ticks + 1) {
            QCoreApplication::quit();
            return;
        }
        // Next tick once this one's events are all handled.
        QTimer::singleShot(5, &app, [&] {
            app.spentNs = 0;
            app.measuring = true;
            QElapsedTimer timer;
            timer.start();
            store.refresh();
            app.spentNs += timer.nsecsElapsed();
        });
    });
    QTimer::singleShot(0, &app, [&] {
        app.spentNs = 0;
        app.measuring = true;
        store.refresh();
    });
    app.exec();

    // The first tick warms up caches and connections; leave it out.
    costs.erase(costs.begin());
    std::sort(costs.begin(), costs.end());
    auto at = [&](double q) { return costs[std::min(costs.size() - 1, size_t(q * costs.size()))] / 1000.0; };
    std::printf("media poll tick, UI-thread cost with 3 players (%zu ticks, %d found \"%s\"): "
                "median %.0f us, p90 %.0f us, max %.0f us\n",
        costs.size(), found, qPrintable(store.title()), at(0.5), at(0.9), costs.back() / 1000.0);
    for (auto &process : players) {
        process->kill();
        process->waitForFinished(3000);
    }
    return found == ticks + 1 && store.title() == QLatin1String("First") ? 0 : 1;
}
