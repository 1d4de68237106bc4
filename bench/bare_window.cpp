// A 380 x 32 frameless Qt Quick window with one rectangle, set up like the
// notch panel, used as the reference floor in bench/shell.sh.
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSGRendererInterface>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND") && qEnvironmentVariableIsEmpty("QSG_RHI_BACKEND"))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    QQuickWindow::setDefaultAlphaBuffer(true);
    QGuiApplication app(argc, argv);
    QQuickWindow window;
    window.setFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus);
    window.setColor(Qt::transparent);
    window.setGeometry(0, 0, 380, 32);
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
