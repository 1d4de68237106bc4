// A frameless Qt Quick window set up like the notch panel (380 x 32 unless
// given as arguments: bare_window [width height]), the reference floor in
// bench/shell.sh and bench/performance.sh.
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <cstdio>
#include <cstdlib>

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
    window.show();
    return app.exec();
}
