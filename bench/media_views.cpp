// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// CPU cost of the media panel while it is shown: paused (nothing should
// tick), playing (the level meter redraws 20 times a second) and playing
// but hidden (nothing should tick). Prints the share of one core and the
// frames drawn per second for each case.
//
//   QT_QPA_PLATFORM=offscreen build/bench/media_views [seconds-per-case]
#include "app/QmlFactory.h"
#include "media/MediaStore.h"
#include "ui/Symbols.h"

#include <QGuiApplication>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QTimer>
#include <QtQml/qqmlextensionplugin.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

Q_IMPORT_QML_PLUGIN(BrivanePlugin)

namespace {

double cpuSeconds()
{
    timespec ts {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

double wallSeconds()
{
    timespec ts {};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

void measure(const char *name, QQuickWindow &window, int seconds)
{
    // Let the change settle (first frames, loaders) before measuring.
    QEventLoop settle;
    QTimer::singleShot(300, &settle, &QEventLoop::quit);
    settle.exec();

    int frames = 0;
    const auto connection
        = QObject::connect(&window, &QQuickWindow::frameSwapped, &window, [&] { ++frames; });
    const double cpu0 = cpuSeconds();
    const double wall0 = wallSeconds();
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    const double wall = wallSeconds() - wall0;
    const double cpu = cpuSeconds() - cpu0;
    QObject::disconnect(connection);
    std::printf("%-26s cpu %6.2f%% of one core   %5.1f frames/s\n", name, 100.0 * cpu / wall, frames / wall);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND") && qEnvironmentVariableIsEmpty("QSG_RHI_BACKEND"))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    QGuiApplication app(argc, argv);
    Symbols::loadFont();
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;

    MediaStore media;
    media.setTitle(QStringLiteral("A Song"));
    media.setArtist(QStringLiteral("An Artist"));
    media.setAlbum(QStringLiteral("An Album"));
    media.setAppName(QStringLiteral("Player"));
    media.setDuration(100000);

    QQmlEngine engine;
    QmlFactory::prepareEngine(&engine);
    QQuickWindow window;
    window.resize(340, 364);
    QQuickItem *panel = QmlFactory::createItem(
        &engine, QStringLiteral("MediaPanel"), { { QStringLiteral("media"), QVariant::fromValue(&media) } });
    if (!panel)
        return 1;
    panel->setParentItem(window.contentItem());
    panel->setWidth(340);
    window.show();

    measure("paused", window, seconds);
    media.setIsPlaying(true);
    measure("playing", window, seconds);
    panel->setVisible(false);
    measure("playing, panel hidden", window, seconds);
    delete panel;
    return 0;
}
