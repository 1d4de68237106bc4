// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// How the desk tools cope with big data: captures into a history of
// megabyte entries, the clipboard panel's first frame over them, and a large
// notes list. Prints one figure per line; run offscreen:
//   QT_QPA_PLATFORM=offscreen QT_QUICK_BACKEND=software build/bench/desk_clipboard
#include "app/QmlFactory.h"
#include "desk/ClipboardStore.h"
#include "desk/NotesStore.h"
#include "platform/Clipboard.h"
#include "platform/KeyValueStore.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QtQml/qqmlextensionplugin.h>
#include <cstdio>

Q_IMPORT_QML_PLUGIN(BrivanePlugin)

namespace {

class StaticClipboard final : public ClipboardAccess
{
public:
    std::optional<QString> text() override { return content; }
    void setText(const QString &text) override { content = text; }
    QString content;
};

double ms(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// Milliseconds from creating the clipboard panel to its first frame.
double panelFirstFrame(QQmlEngine &engine, ClipboardStore &store)
{
    QQuickWindow window;
    window.resize(340, 400);
    QElapsedTimer timer;
    timer.start();
    QQuickItem *panel = QmlFactory::createItem(&engine, QStringLiteral("ClipboardPanel"),
        { { QStringLiteral("clipboard"), QVariant::fromValue(&store) } });
    panel->setParentItem(window.contentItem());
    panel->setWidth(340);
    window.show();
    const QImage frame = window.grabWindow();
    const double elapsed = ms(timer);
    delete panel;
    return frame.isNull() ? -1 : elapsed;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    QQmlEngine engine;
    QmlFactory::prepareEngine(&engine);

    for (const int megabytes : { 0, 1, 4 }) {
        KeyValueStore prefs(dir.filePath(QStringLiteral("clip-%1.json").arg(megabytes)));
        StaticClipboard clipboard;
        ClipboardStore store(prefs, clipboard);
        const qsizetype size = megabytes ? megabytes * 1024 * 1024 : 40;
        for (int i = 0; i < ClipboardStore::cap; ++i) {
            clipboard.content = QString(size, QChar(u'a' + i));
            store.capture();
        }
        prefs.flush();
        clipboard.content = QString(size, u'z');
        QElapsedTimer timer;
        timer.start();
        store.capture();
        const double capture = ms(timer);
        prefs.flush();
        // The preference store's share: it encodes the whole file on the
        // calling thread before handing it to its writer.
        timer.restart();
        prefs.setStringArray(ClipboardStore::key, store.items());
        const double setArray = ms(timer);
        prefs.flush();
        std::printf("clipboard: capture into 20 entries of %lld chars: %.1f ms on the UI thread "
                    "(KeyValueStore::setStringArray alone: %.1f ms)\n",
            static_cast<long long>(size), capture, setArray);
        std::printf("clipboard: panel first frame over 20 entries of %lld chars: %.1f ms\n",
            static_cast<long long>(size), panelFirstFrame(engine, store));
    }

    {
        KeyValueStore prefs(dir.filePath(QStringLiteral("notes.json")));
        {
            NotesStore notes(prefs);
            for (int i = 0; i < 10000; ++i)
                notes.add(QStringLiteral("note number %1 with a little text to it").arg(i));
        }
        prefs.flush();
        KeyValueStore reread(prefs.filePath());
        QElapsedTimer timer;
        timer.start();
        NotesStore notes(reread);
        const double load = ms(timer);
        timer.restart();
        notes.add(QStringLiteral("one more"));
        const double add = ms(timer);
        std::printf(
            "notes: load 10000 notes: %.1f ms; add one to them (encode and save): %.1f ms\n", load, add);
    }
    return 0;
}
