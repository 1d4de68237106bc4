// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Another program to drag files with, as a file manager would: its left half
// drags the files it is given (text/uri-list, offering a copy, a move or a
// link), its right half takes drops of URIs. It prints, one a line: "ready"
// once on screen, "dragging", the action the target accepts ("action link"),
// what became of the drag ("finished link"), "over" once a drag over its
// right half has been answered (the source may then drop), and each URI
// dropped on it ("dropped <uri>").
//   drag_peer <file>...

#include <QDrag>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QRasterWindow>
#include <cstdio>

namespace {

void say(const QByteArray &line)
{
    std::printf("%s\n", line.constData());
    std::fflush(stdout);
}

QByteArray name(Qt::DropAction action)
{
    return action == Qt::LinkAction ? "link"
        : action == Qt::CopyAction  ? "copy"
        : action == Qt::MoveAction  ? "move"
                                    : "none";
}

} // namespace

class DragPeer : public QRasterWindow
{
public:
    QList<QUrl> files;
    int moves = 0;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(QRect(0, 0, width() / 2, height()), QColor(0x33, 0x66, 0x33));
        painter.fillRect(QRect(width() / 2, 0, width() - width() / 2, height()), QColor(0x66, 0x33, 0x33));
        say("ready");
    }
    void mouseMoveEvent(QMouseEvent *event) override
    {
        if (!(event->buttons() & Qt::LeftButton) || event->position().x() >= width() / 2.0)
            return;
        auto *drag = new QDrag(this);
        auto *data = new QMimeData;
        data->setUrls(files);
        drag->setMimeData(data);
        QObject::connect(
            drag, &QDrag::actionChanged, drag, [](Qt::DropAction a) { say("action " + name(a)); });
        say("dragging");
        say("finished " + name(drag->exec(Qt::CopyAction | Qt::MoveAction | Qt::LinkAction)));
    }
    bool event(QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
            return QRasterWindow::event(event);
        auto *drag = static_cast<QDropEvent *>(event);
        if (!drag->mimeData()->hasUrls() || drag->position().x() < width() / 2.0)
            return QRasterWindow::event(event);
        drag->acceptProposedAction();
        // A source asks again only once it has the answer to its last question.
        if (type == QEvent::DragMove && ++moves == 2)
            say("over");
        for (const QUrl &url : type == QEvent::Drop ? drag->mimeData()->urls() : QList<QUrl>())
            say("dropped " + url.toEncoded());
        return true;
    }
};

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    DragPeer window;
    for (const QString &path : app.arguments().mid(1))
        window.files.append(QUrl::fromLocalFile(path));
    if (window.files.isEmpty()) {
        std::fputs("usage: drag_peer <file>...\n", stderr);
        return 2;
    }
    window.setTitle(QStringLiteral("Shelf Drag Peer"));
    window.setGeometry(300, 600, 800, 300);
    window.show();
    return app.exec();
}
