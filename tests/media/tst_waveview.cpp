// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestSupport.h"
#include "app/Theme.h"
#include "media/AlbumArtView.h"
#include "media/MediaShadow.h"
#include "media/MediaStore.h"
#include "media/WaveView.h"

#include <cmath>

using TestSupport::ViewHost;

namespace {

// Whether some pixel of the image is close to the colour.
bool contains(const QImage &image, const QColor &colour, int tolerance = 40)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green())
                    + std::abs(c.blue() - colour.blue())
                < tolerance)
                return true;
        }
    }
    return false;
}

} // namespace

class TestWaveView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void ticksOnlyWhileOnScreenAndActive()
    {
        // Not in a window: nothing ticks.
        WaveView offscreen;
        QVERIFY(!offscreen.isTicking());

        ViewHost view(
            QStringLiteral("WaveView"), { { "color", Theme::red() }, { "barCount", 20 } }, QSize(100, 20));
        auto *wave = qobject_cast<WaveView *>(view.root());
        QVERIFY(wave);
        QVERIFY(wave->isTicking());
        QTRY_VERIFY(wave->phase() >= 3 * WaveView::PhaseStep);

        QSignalSpy ticking(wave, &WaveView::tickingChanged);
        wave->setActive(false);
        QVERIFY(!wave->isTicking());
        wave->setActive(true);
        QVERIFY(wave->isTicking());

        wave->setVisible(false);
        QVERIFY(!wave->isTicking());
        wave->setVisible(true);
        QVERIFY(wave->isTicking());

        // A hidden ancestor hides it as well. (Not the window's content
        // item: from Qt 6.8 on, an item without a parent stays hidden once
        // hidden.)
        QQuickItem holder(view.window()->contentItem());
        wave->setParentItem(&holder);
        holder.setVisible(false);
        QVERIFY(!wave->isTicking());
        holder.setVisible(true);
        QVERIFY(wave->isTicking());

        // So does a hidden window, and leaving the window altogether.
        view.window()->hide();
        QVERIFY(!wave->isTicking());
        view.window()->show();
        QVERIFY(wave->isTicking());
        wave->setParentItem(nullptr);
        QVERIFY(!wave->isTicking());
        QCOMPARE(ticking.count(), 9);

        const double phase = wave->phase();
        QCoreApplication::processEvents();
        QCOMPARE(wave->phase(), phase);
    }

    void barsAreCutFromASheetOfEveryHeight()
    {
        // Cell k holds one bar MinBarHeight + k / 4 pixels tall, centred.
        const QImage sheet = WaveView::barSheet(Qt::white, 20, 2);
        QCOMPARE(sheet.height(), 40);
        const auto litRows = [&](int cell) {
            int rows = 0;
            for (int y = 0; y < sheet.height(); ++y)
                rows += qAlpha(sheet.pixel(int((cell * WaveView::CellWidth + 1.5) * 2), y)) > 40;
            return rows;
        };
        QCOMPARE(WaveView::cellFor(0.15, 20), 0);
        QVERIFY(std::abs(litRows(0) - 6) <= 1);
        const int tall = WaveView::cellFor(0.8, 20);
        QCOMPARE(tall, 52);
        QVERIFY(std::abs(litRows(tall) - 32) <= 1);
        QCOMPARE(WaveView::cellFor(5, 20), sheet.width() / (WaveView::CellWidth * 2) - 1);
        // The clear column between cells stays clear.
        for (int y = 0; y < sheet.height(); ++y)
            QCOMPARE(qAlpha(sheet.pixel(7, y)), 0);
    }

    void barsMoveWithEachTickInTheirColour()
    {
        ViewHost view(QStringLiteral("WaveView"), { { "color", QColor(Qt::green) }, { "barCount", 20 } },
            QSize(100, 20));
        view.window()->setColor(Qt::black);
        auto *wave = qobject_cast<WaveView *>(view.root());
        wave->setActive(false);
        const QImage before = view.window()->grabWindow();
        QVERIFY(contains(before, QColor(0, 255 * (0.4 + 0.6 * 0.2775), 0), 60));
        for (int i = 0; i < 5; ++i)
            wave->advance();
        const QImage after = view.window()->grabWindow();
        QVERIFY(before != after);
        // A new colour draws a new sheet.
        wave->setColor(Qt::blue);
        QVERIFY(contains(view.window()->grabWindow(), QColor(0, 0, 200), 120));
        QVERIFY(!contains(view.window()->grabWindow(), QColor(0, 200, 0), 120));
    }

    void shadowIsSoftAndDensestUnderTheShape()
    {
        const QImage shadow = MediaShadow::render(QSize(120, 120), 14, 10, QColor(0, 0, 0, 102));
        QCOMPARE(shadow.size(), QSize(120, 120));
        const int centre = qAlpha(shadow.pixel(60, 60));
        const int edge = qAlpha(shadow.pixel(10, 60));
        const int outside = qAlpha(shadow.pixel(1, 60));
        QVERIFY(std::abs(centre - 102) <= 2);
        QVERIFY2(edge > outside && edge < centre,
            qPrintable(QStringLiteral("%1 %2 %3").arg(outside).arg(edge).arg(centre)));
        QCOMPARE(qAlpha(shadow.pixel(0, 0)), 0);
        // No room for the shape leaves a clear image rather than failing.
        QCOMPARE(qAlpha(MediaShadow::render(QSize(10, 10), 4, 10, Qt::black).pixel(5, 5)), 0);
    }

    void artIsCroppedToFillItsFrame()
    {
        QCOMPARE(AlbumArtView::cropRect(QSizeF(200, 100), QSizeF(100, 100)), QRectF(50, 0, 100, 100));
        QCOMPARE(AlbumArtView::cropRect(QSizeF(320, 640), QSizeF(100, 100)), QRectF(0, 160, 320, 320));
        QCOMPARE(AlbumArtView::cropRect(QSizeF(64, 64), QSizeF(100, 100)), QRectF(0, 0, 64, 64));
        QCOMPARE(AlbumArtView::cropRect(QSizeF(0, 0), QSizeF(100, 100)), QRectF());
    }

    void panelDrawsItsButtonAndArt()
    {
        MediaStore media;
        media.setTitle(QStringLiteral("A Very Long Song Title That Does Not Fit On One Line"));
        media.setIsPlaying(true);
        ViewHost panel(
            QStringLiteral("MediaPanel"), { { "media", QVariant::fromValue(&media) } }, QSize(340, 354));
        panel.window()->setColor(Theme::card());
        const QImage withoutArt = panel.window()->grabWindow();
        // The play/pause circle is drawn in red without any shader effect.
        QQuickItem *button = panel.find("playPauseButton");
        const QPointF edge = button->mapToScene(QPointF(6, button->height() / 2));
        const QColor circle = withoutArt.pixelColor(edge.toPoint());
        QVERIFY2(std::abs(circle.red() - Theme::red().red()) < 10 && circle.green() < 100,
            qPrintable(circle.name()));

        QImage art(300, 200, QImage::Format_RGB32);
        art.fill(QColor::fromHsv(200, 160, 220));
        media.setAlbumArt(art);
        media.setIsPlaying(false);
        const QImage withArt = panel.window()->grabWindow();
        QQuickItem *artItem = panel.find("albumArtImage");
        const QPointF middle = artItem->mapToScene(QPointF(50, 50));
        QVERIFY(withArt.pixelColor(middle.toPoint()).saturation() > 100);
    }
};

BRIVANE_TEST_MAIN(TestWaveView)
#include "tst_waveview.moc"
