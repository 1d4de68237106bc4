// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Another program to drag files with, as a file manager would: its left half
// drags the files it is given (as text/uri-list, offering a copy, a move or
// a link), its right half takes drops of URIs. It prints, one a line,
// "ready" once on screen, "dragging" as its drag begins, the action the
// target accepts ("action link"), what became of its drag
// ("finished link"), "over" once a drag over its right half has been
// answered (the source then knows it may drop), and each URI dropped on it.
//   drag_peer <file>...

#include <QDrag>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QRasterWindow>
#include <cstdio>
#include <utility>

class DragPeer : public QRasterWindow
{
public:
    explicit DragPeer(const QList<QUrl> &files)
        : m_files(files)
    {
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(QRect(0, 0, width() / 2, height()), QColor(0x33, 0x66, 0x33));
        painter.fillRect(QRect(width() / 2, 0, width() - width() / 2, height()), QColor(0x66, 0x33, 0x33));
        if (!std::exchange(m_painted, true))
            say("ready");
    }
    void mouseMoveEvent(QMouseEvent *event) override
    {
        if (!(event->buttons() & Qt::LeftButton) || event->position().x() >= width() / 2.0)
            return;
        auto *drag = new QDrag(this);
        auto *data = new QMimeData;
        data->setUrls(m_files);
        drag->setMimeData(data);
        say("dragging");
        QObject::connect(
            drag, &QDrag::actionChanged, drag, [](Qt::DropAction action) { say("action " + name(action)); });
        const Qt::DropAction action = drag->exec(Qt::CopyAction | Qt::MoveAction | Qt::LinkAction);
        say("finished " + name(action));
    }
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            auto *drag = static_cast<QDropEvent *>(event);
            if (drag->mimeData()->hasUrls() && drag->position().x() >= width() / 2.0) {
                drag->acceptProposedAction();
                // A source asks again only once it has the answer to the
                // last question.
                if (event->type() == QEvent::DragMove && ++m_moves == 2)
                    say("over");
                return true;
            }
        } else if (event->type() == QEvent::Drop) {
            auto *drop = static_cast<QDropEvent *>(event);
            for (const QUrl &url : drop->mimeData()->urls())
                say("dropped " + url.toEncoded());
            drop->acceptProposedAction();
            m_moves = 0;
            return true;
        }
        return QRasterWindow::event(event);
    }

private:
    static QByteArray name(Qt::DropAction action)
    {
        switch (action) {
        case Qt::LinkAction:
            return "link";
        case Qt::CopyAction:
            return "copy";
        case Qt::MoveAction:
            return "move";
        default:
            return "none";
        }
    }
    static void say(const QByteArray &line)
    {
        std::fprintf(stdout, "%s\n", line.constData());
        std::fflush(stdout);
    }

    QList<QUrl> m_files;
    int m_moves = 0;
    bool m_painted = false;
};

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QList<QUrl> files;
    for (const QString &path : app.arguments().mid(1))
        files.append(QUrl::fromLocalFile(path));
    if (files.isEmpty()) {
        std::fputs("usage: drag_peer <file>...\n", stderr);
        return 2;
    }
    DragPeer window(files);
    window.setTitle(QStringLiteral("Shelf Drag Peer"));
    window.setGeometry(300, 600, 800, 300);
    window.show();
    return app.exec();
}
