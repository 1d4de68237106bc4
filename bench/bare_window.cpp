// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A frameless Qt Quick window set up like the notch panel (380 x 32 unless
// given as arguments: bare_window [width height [--animate] [--qml]]), the
// reference floor in bench/shell.sh and bench/performance.sh. With --animate,
// one 98 x 20 rectangle changes at 20 Hz (or --animate=WxH@Hz): the least any
// Qt Quick window can spend on a meter that moves that often. With --qml, its
// content is an empty Item made by a QML engine: the floor of a QML program;
// --qml=controls adds one of each control the card uses.
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSGRectangleNode>
#include <QSGRendererInterface>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

class Blinker : public QQuickItem
{
public:
    Blinker(QQuickItem *parent, QSize size, int intervalMs)
        : QQuickItem(parent)
    {
        setFlag(ItemHasContents);
        setSize(size);
        m_timer.callOnTimeout(this, [this] {
            ++m_step;
            update();
        });
        m_timer.start(intervalMs);
    }

protected:
    QSGNode *updatePaintNode(QSGNode *old, UpdatePaintNodeData *) override
    {
        auto *node = static_cast<QSGRectangleNode *>(old);
        if (!node) {
            node = window()->createRectangleNode();
            node->setColor(Qt::red);
        }
        const int w = int(width());
        node->setRect(0, 0, w / 5 + (m_step * 7) % std::max(1, w - w / 5), height());
        return node;
    }

private:
    QTimer m_timer;
    int m_step = 0;
};

const QByteArray kEmpty = "import QtQuick\nItem { width: 380; height: 32 }\n";
const QByteArray kControls
    = "import QtQuick\nimport QtQuick.Controls.Basic\nimport QtQuick.Layouts\n"
      "ColumnLayout { TextField {} Button { text: \"OK\" } Switch {} Slider {} SpinBox {}\n"
      "ComboBox { model: 3 } ScrollBar {} }\n";

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND") && qEnvironmentVariableIsEmpty("QSG_RHI_BACKEND"))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    QQuickWindow::setDefaultAlphaBuffer(true);
    QGuiApplication app(argc, argv);
    QQuickWindow window;
    window.setFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
        | Qt::WindowDoesNotAcceptFocus | Qt::NoDropShadowWindowHint);
    window.setProperty("_q_showWithoutActivating", true);
    window.setColor(Qt::transparent);
    const int width = argc > 2 ? std::atoi(argv[1]) : 380;
    const int height = argc > 2 ? std::atoi(argv[2]) : 32;
    window.setGeometry(0, 0, width > 0 ? width : 380, height > 0 ? height : 32);
    QObject::connect(&window, &QQuickWindow::frameSwapped, &window, [] {
        static bool once = false;
        if (!once) {
            once = true;
            std::printf("first-frame\n");
            std::fflush(stdout);
        }
    });
    // --animate is the card's meter, 98x20 at 20 Hz; --animate=WxH@Hz another.
    // --qml builds the window's content from a QML document, as every QML
    // program does; --qml=controls also loads the controls the card uses.
    QQmlEngine *engine = nullptr;
    for (int i = 3; i < argc; ++i) {
        if (qstrncmp(argv[i], "--animate", 9) == 0) {
            int w = 98, h = 20, hz = 20;
            if (argv[i][9] == '=')
                std::sscanf(argv[i] + 10, "%dx%d@%d", &w, &h, &hz);
            new Blinker(window.contentItem(), QSize(std::max(w, 1), std::max(h, 1)), 1000 / std::max(hz, 1));
        } else if (qstrncmp(argv[i], "--qml", 5) == 0) {
            engine = new QQmlEngine(&window);
            QQmlComponent component(engine);
            component.setData(qstrcmp(argv[i], "--qml=controls") == 0 ? kControls : kEmpty, QUrl());
            auto *item = qobject_cast<QQuickItem *>(component.create());
            if (!item) {
                std::fprintf(stderr, "%s\n", qPrintable(component.errorString()));
                return 1;
            }
            item->setParent(window.contentItem());
            item->setParentItem(window.contentItem());
        }
    }
    window.show();
    return app.exec();
}
