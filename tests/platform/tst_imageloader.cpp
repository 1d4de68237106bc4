// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Album art: only local files and https, bounded in bytes and scaled to what is shown.
#include "TestSupport.h"
#include "platform/ImageLoader.h"

#include <QTemporaryDir>
#include <sys/stat.h>

class TestImageLoader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void imagesLoadOnlyFromFilesAndHttps()
    {
        QTemporaryDir dir;
        QImage big(1200, 600, QImage::Format_RGB32);
        big.fill(Qt::green);
        const QString path = dir.filePath("cover.png");
        QVERIFY(big.save(path));
        NetworkImageLoader loader;
        // Large art is scaled down to what the panel can show.
        QCOMPARE(loader.load(QUrl::fromLocalFile(path)).size(), QSize(512, 256));
        QVERIFY(loader.load(QUrl::fromLocalFile(dir.filePath("missing.png"))).isNull());
        QVERIFY(loader.load(QUrl("http://127.0.0.1:1/cover.png")).isNull());
        QVERIFY(loader.load(QUrl("data:image/png;base64,AAAA")).isNull());

        QFile junk(dir.filePath("junk.png"));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("not an image");
        junk.close();
        QVERIFY(loader.load(QUrl::fromLocalFile(junk.fileName())).isNull());
        QVERIFY(junk.resize(NetworkImageLoader::kMaxBytes + 1));
        QVERIFY(loader.load(QUrl::fromLocalFile(junk.fileName())).isNull());
        // A FIFO with no writer, whose open would wait forever, and a device.
        const QByteArray fifo = QFile::encodeName(dir.filePath("fifo.png"));
        QCOMPARE(mkfifo(fifo.constData(), 0600), 0);
        QVERIFY(loader.load(QUrl::fromLocalFile(QFile::decodeName(fifo))).isNull());
        QVERIFY(loader.load(QUrl::fromLocalFile("/dev/zero")).isNull());
    }
};

BRIVANE_TEST_MAIN(TestImageLoader)
#include "tst_imageloader.moc"
