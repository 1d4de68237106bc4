// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ImageLoader.h"

#include <QBuffer>
#include <QEventLoop>
#include <QFile>
#include <QImageReader>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray readFile(const QString &path)
{
    // A player may name any path: only a regular file is read. Opening
    // without blocking, then asking the open file, means a FIFO (whose open
    // would wait for a writer) or a device is never waited on, even one put
    // in the file's place meanwhile.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {};
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > NetworkImageLoader::kMaxBytes) {
        ::close(fd);
        return {};
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {};
    }
    return file.read(NetworkImageLoader::kMaxBytes + 1);
}

QByteArray download(const QUrl &url)
{
    // A private manager and event loop: this runs on a worker thread.
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setTransferTimeout(NetworkImageLoader::kTimeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply *reply = manager.get(request);
    QByteArray body;
    bool tooLarge = false;
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, [&] {
        body += reply->readAll();
        if (body.size() > NetworkImageLoader::kMaxBytes) {
            tooLarge = true;
            reply->abort();
        }
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();
    body += reply->readAll();
    const bool failed
        = tooLarge || reply->error() != QNetworkReply::NoError || body.size() > NetworkImageLoader::kMaxBytes;
    delete reply;
    return failed ? QByteArray() : body;
}

} // namespace

QImage NetworkImageLoader::decode(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return {};
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > kMaxSide || size.height() > kMaxSide))
        reader.setScaledSize(size.scaled(kMaxSide, kMaxSide, Qt::KeepAspectRatio));
    QImage image = reader.read();
    if (!image.isNull() && (image.width() > kMaxSide || image.height() > kMaxSide))
        image = image.scaled(kMaxSide, kMaxSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return image;
}

QImage NetworkImageLoader::load(const QUrl &url)
{
    if (!url.isValid())
        return {};
    if (url.isLocalFile())
        return decode(readFile(url.toLocalFile()));
    if (url.scheme() == QLatin1String("https"))
        return decode(download(url));
    return {};
}
