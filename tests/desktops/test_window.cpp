// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A plain window for the desktop checks: filled with one colour so a
// screenshot tells it from the card, maximised like a user's editor, and
// logging its keyboard focus and the keys it receives to a file, so a check
// can tell where typing went. Runs on X11 or as a native Wayland client,
// whichever QT_QPA_PLATFORM picks.
//   test_window <title> <#rrggbb> <log file> [fullscreen]

#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QRasterWindow>

class TestWindow : public QRasterWindow
{
public:
    TestWindow(QColor colour, const QString &logPath)
        : m_colour(colour)
        , m_log(logPath)
    {
        m_log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(QRect(QPoint(0, 0), size()), m_colour);
    }
    void focusInEvent(QFocusEvent *) override { write("focus-in\n"); }
    void focusOutEvent(QFocusEvent *) override { write("focus-out\n"); }
    void keyPressEvent(QKeyEvent *event) override
    {
        if (!event->text().isEmpty())
            write("key " + event->text().toUtf8() + "\n");
    }

private:
    void write(const QByteArray &line) { m_log.write(line); }

    QColor m_colour;
    QFile m_log;
};

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4 && !(args.size() == 5 && args.at(4) == QLatin1String("fullscreen"))) {
        qWarning("usage: test_window <title> <#rrggbb> <log file> [fullscreen]");
        return 2;
    }
    TestWindow window(QColor(args.at(2)), args.at(3));
    window.setTitle(args.at(1));
    window.resize(640, 480);
    if (args.size() == 5)
        window.showFullScreen();
    else
        window.showMaximized();
    return app.exec();
}
