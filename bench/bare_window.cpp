// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A frameless Qt Quick window set up like the notch panel (380 x 32 unless
// given as arguments: bare_window [width height [--animate]]), the reference
// floor in bench/shell.sh and bench/performance.sh. With --animate, one
// 98 x 20 rectangle changes at 20 Hz: the least any Qt Quick window can spend
// on a meter that moves that often.
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSGRectangleNode>
#include <QSGRendererInterface>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

namespace {

class Blinker : public QQuickItem
{
public:
    explicit Blinker(QQuickItem *parent)
        : QQuickItem(parent)
    {
        setFlag(ItemHasContents);
        setSize(QSizeF(98, 20));
        m_timer.callOnTimeout(this, [this] {
            ++m_step;
            update();
        });
        m_timer.start(50);
    }

protected:
    QSGNode *updatePaintNode(QSGNode *old, UpdatePaintNodeData *) override
    {
        auto *node = static_cast<QSGRectangleNode *>(old);
        if (!node) {
            node = window()->createRectangleNode();
            node->setColor(Qt::red);
        }
        node->setRect(0, 0, 20 + (m_step * 7) % 78, 20);
        return node;
    }

private:
    QTimer m_timer;
    int m_step = 0;
};

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
    if (argc > 3 && qstrcmp(argv[3], "--animate") == 0)
        new Blinker(window.contentItem());
    window.show();
    return app.exec();
}
