// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestSupport.h"
#include "media/AlbumArtView.h"
#include "media/MediaFormat.h"
#include "media/MediaShadow.h"
#include "media/MediaStore.h"
#include "media/WaveView.h"
#include "ui/Theme.h"

#include <QtQuickTest/quicktest.h>
#include <cmath>
#include <limits>

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

class TestMediaViews : public QObject
{
    Q_OBJECT

    std::unique_ptr<MediaStore> m_media;

    std::unique_ptr<ViewHost> panel()
    {
        return std::make_unique<ViewHost>(
            QStringLiteral("MediaPanel"), QVariantMap { { "media", QVariant::fromValue(m_media.get()) } });
    }
    void setTrack(const QString &title, const QString &artist, double elapsed, double duration)
    {
        m_media->setTitle(title);
        m_media->setArtist(artist);
        m_media->setElapsed(elapsed);
        m_media->setDuration(duration);
    }

private Q_SLOTS:
    void init() { m_media = std::make_unique<MediaStore>(); }
    void cleanup() { m_media.reset(); }

    // Players report any double; what reaches the screen stays sane.
    void formatTime_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("truncates") << 75.9 << "1:15";
        QTest::newRow("no hours") << 3725.0 << "62:05";
        QTest::newRow("negative minutes") << -65.5 << "-1:05";
        QTest::newRow("negative under a second") << -0.5 << "0:00";
        QTest::newRow("nan") << std::nan("") << "0:00";
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << "0:00";
        QTest::newRow("beyond 64 bits") << 1e300 << "0:00";
        QTest::newRow("largest") << 9.0e18 << "150000000000000000:00";
    }
    void formatTime()
    {
        QFETCH(double, seconds);
        QFETCH(QString, text);
        QCOMPARE(MediaFormat::formatTime(seconds), text);
    }

    void remainingTimeAndProgressNeverRunPastTheEnd()
    {
        QCOMPARE(MediaFormat::remainingTime(250, 200), QStringLiteral("-0:00"));
        QCOMPARE(MediaFormat::remainingTime(10, std::nan("")), QStringLiteral("-0:00"));
        QCOMPARE(MediaFormat::progressFraction(250, 200), 1.0);
        QCOMPARE(MediaFormat::progressFraction(-3, 200), 0.0);
        QCOMPARE(MediaFormat::progressFraction(30, 0), 0.0);
        QCOMPARE(MediaFormat::progressFraction(std::nan(""), 200), 0.0);
        QVERIFY(!MediaFormat::hasProgress(std::numeric_limits<double>::infinity()));
        // A position reported beyond the end is neither advanced nor pulled back.
        QCOMPARE(MediaFormat::elapsedAfter(250, 1, 200), 250.0);
        QCOMPARE(MediaFormat::elapsedAfter(199.5, 3, 200), 200.0);
        m_media->moveVolume(1.5);
        m_media->moveVolume(std::nan(""));
        QCOMPARE(m_media->volume(), 1.0f);
    }

    // The position comes from the last report and the clock, so a late or
    // missed tick still shows the true position; paused, it stays.
    void thePositionFollowsTheClockOnlyWhilePlaying()
    {
        qint64 ms = 5000;
        m_media->setClock([&ms] { return ms; });
        setTrack("Song", "", 30, 200);
        const auto after = [&](qint64 step) {
            ms += step;
            m_media->showElapsed();
            return m_media->elapsed();
        };
        QCOMPARE(after(4000), 30.0);
        m_media->setIsPlaying(true);
        QCOMPARE(after(3500), 33.5); // ticks came late, or not at all
        m_media->setIsPlaying(false);
        QCOMPARE(after(10000), 33.5);
        m_media->setIsPlaying(true);
        QCOMPARE(after(1000), 34.5);
        m_media->setElapsed(100); // a new report
        QCOMPARE(after(2000), 102.0);
    }

    void textFromPlayersIsMadeOneBoundedLine()
    {
        QCOMPARE(MediaFormat::oneLine(QStringLiteral("a\nb\rc\td\u2028e")), QStringLiteral("a b c d e"));
        QCOMPARE(MediaFormat::oneLine(QString(100000, QLatin1Char('x'))).size(), MediaFormat::MaxLineLength);
        // A cut through a surrogate pair drops the orphaned half.
        const QString emoji
            = QString(MediaFormat::MaxLineLength - 1, QLatin1Char('x')) + QStringLiteral("\U0001F3B5");
        QCOMPARE(MediaFormat::oneLine(emoji).size(), MediaFormat::MaxLineLength - 1);
    }

    void thePanelShowsWhatIsKnownOfTheTrack()
    {
        auto view = panel();
        QQuickItem *empty = view->find("emptyState");
        QVERIFY(empty->isVisible());
        // Leftovers of another track do not count: only the title does.
        m_media->setArtist("Artist");
        m_media->setIsPlaying(true);
        QVERIFY(empty->isVisible());

        m_media->setTitle("Song");
        QVERIFY(!empty->isVisible());
        QCOMPARE(view->text("mediaArtist"), QStringLiteral("Artist"));
        // The whole panel fits the 364-high tab content under the mini player.
        QVERIFY2(view->root()->implicitHeight() + 10 <= 364,
            qPrintable(QString::number(view->root()->implicitHeight())));
        QVERIFY(!view->find("mediaAlbum")->isVisible());
        m_media->setAlbum("Album");
        QVERIFY(view->find("mediaAlbum")->isVisible());

        QVERIFY(view->find("albumArtPlaceholder")->isVisible());
        QImage art(40, 20, QImage::Format_RGB32);
        art.fill(Qt::blue);
        m_media->setAlbumArt(art);
        QVERIFY(view->find("albumArtImage")->isVisible());
        QVERIFY(!view->find("albumArtPlaceholder")->isVisible());

        m_media->setTitle(QString());
        QVERIFY(empty->isVisible());
    }

    // The time row and bar; the timer that moves them runs only while they
    // are shown and the track plays.
    void timeRowAndProgressBar()
    {
        qint64 ms = 0;
        m_media->setClock([&ms] { return ms; });
        setTrack("Song", "Artist", 30, 200);
        auto view = panel();
        QCOMPARE(view->text("elapsedText"), QStringLiteral("0:30"));
        QCOMPARE(view->text("remainingText"), QStringLiteral("-2:50"));
        QCOMPARE(view->find("progressFill")->width(), view->find("progressBar")->width() * 0.15);
        auto *timer = view->root()->findChild<QObject *>("progressTimer");
        QVERIFY(timer);
        QCOMPARE(timer->property("running").toBool(), false);

        m_media->setIsPlaying(true);
        QCOMPARE(timer->property("running").toBool(), true);
        ms += 1000;
        QMetaObject::invokeMethod(timer, "triggered");
        QCOMPARE(view->text("elapsedText"), QStringLiteral("0:31"));

        // Unknown or broken lengths show no progress at all.
        m_media->setDuration(std::nan(""));
        QVERIFY(!view->find("progress")->isVisible());
        QCOMPARE(timer->property("running").toBool(), false);
        m_media->setDuration(200);
        view->root()->setVisible(false);
        QCOMPARE(timer->property("running").toBool(), false);
    }

    void playPauseAndMeterFollowTheStore()
    {
        setTrack("Song", "Artist", 0, 0);
        auto view = panel();
        QQuickItem *button = view->find("playPauseButton");
        QCOMPARE(ViewHost::attached(button, "Accessible.name").toString(), QStringLiteral("Play"));
        QVERIFY(view->find("stillDots")->isVisible());
        QVERIFY(!view->find("waveView"));

        m_media->setIsPlaying(true);
        QCOMPARE(ViewHost::attached(button, "Accessible.name").toString(), QStringLiteral("Pause"));
        auto *wave = qobject_cast<WaveView *>(view->find("waveView"));
        QVERIFY(wave && wave->isTicking());
        QTRY_VERIFY(wave->phase() > 0);

        // Paused and playing again, the meter restarts from phase zero.
        m_media->setIsPlaying(false);
        QTRY_VERIFY(!view->find("waveView"));
        m_media->setIsPlaying(true);
        wave = qobject_cast<WaveView *>(view->find("waveView"));
        QVERIFY(wave);
        QCOMPARE(wave->phase(), 0.0);
        // With the track gone the meter is off screen and stops.
        m_media->setTitle(QString());
        QVERIFY(!wave->isTicking());
    }

    void volumeSliderSetsTheSystemVolumeAtDragStartAndEnd()
    {
        setTrack("Song", "Artist", 0, 0);
        m_media->setVolumeValue(0.5f);
        auto view = panel();
        QQuickItem *slider = view->find("volumeSlider");
        QSignalSpy edits(view->root(), SIGNAL(volumeEditingChanged()));
        QSignalSpy values(m_media.get(), &MediaStore::volumeChanged);
        const QPointF handle = slider->mapToScene(QPointF(slider->width() / 2, slider->height() / 2));
        QWindow *window = view->window();
        QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, handle.toPoint());
        QCOMPARE(edits.count(), 1);
        for (int dx = 10; dx <= 60; dx += 10)
            QTest::mouseMove(window, (handle + QPointF(dx, 0)).toPoint());
        QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, (handle + QPointF(60, 0)).toPoint());
        QCOMPARE(edits.count(), 2);
        QVERIFY2(values.count() >= 3, qPrintable(QString::number(values.count())));
        QVERIFY(m_media->volume() > 0.6f);
        // A step from the keyboard is an edit of its own.
        slider->forceActiveFocus();
        const float before = m_media->volume();
        QTest::keyClick(window, Qt::Key_Left);
        QCOMPARE(edits.count(), 4);
        QVERIFY(m_media->volume() < before);
    }

    // With two players about, the source label opens the choice, laid out on
    // the card, and a choice reaches the store.
    void theSourceLabelOpensThePlayerChoice()
    {
        setTrack("Song", "Artist", 0, 0);
        m_media->setPlayers({ "mpv", "Spotify" });
        auto view = panel();
        auto *window = qobject_cast<QQuickWindow *>(view->window());
        QVERIFY(window);
        QQuickItem *label = view->find("sourceLabel");
        QVERIFY(label && label->isEnabled());
        QVERIFY(!TestSupport::findItem(window->contentItem(), "playerMenuItem"));

        view->click(label);
        QTRY_VERIFY(TestSupport::findItem(window->contentItem(), "playerMenuItem"));
        QVERIFY(QQuickTest::qWaitForPolish(window));
        QQuickItem *spotify = nullptr;
        int shown = 0;
        for (QQuickItem *item : window->contentItem()->findChildren<QQuickItem *>("playerMenuItem")) {
            if (!item->isVisible())
                continue;
            ++shown;
            QVERIFY(item->width() > 100 && item->height() > 0);
            const QRectF onScene = item->mapRectToScene(item->boundingRect());
            QVERIFY2(window->contentItem()->boundingRect().contains(onScene), "a choice left the card");
            if (item->property("text").toString() == QLatin1String("Spotify"))
                spotify = item;
        }
        QCOMPARE(shown, 3); // "Automatic" and both players
        QVERIFY(spotify);
        view->click(spotify);
        QCOMPARE(m_media->preferredPlayer(), QStringLiteral("Spotify"));
    }

    // Titles come from any player: long, marked up, right to left.
    void hostileTextStaysOnePlainElidedLine()
    {
        const QString rtl = QStringLiteral("\u05E9\u05D9\u05E8 \u05D0\u05E8\u05D5\u05DA ").repeated(12);
        setTrack(QString(50000, QLatin1Char('W')), QStringLiteral("<b>Bold</b><img src=\"x\">"), 0, 0);
        m_media->setAlbum(QStringLiteral("line one\nline two"));
        auto view = panel();
        for (const char *name : { "mediaTitle", "mediaArtist", "mediaAlbum" }) {
            QQuickItem *text = view->find(QString::fromLatin1(name));
            QCOMPARE(text->property("textFormat").toInt(), int(Qt::PlainText));
            QCOMPARE(text->property("lineCount").toInt(), 1);
            QVERIFY(text->width() <= 340);
        }
        QCOMPARE(view->text("mediaAlbum"), QStringLiteral("line one line two"));
        m_media->setTitle(rtl);
        QCOMPARE(view->find("mediaTitle")->property("lineCount").toInt(), 1);
        QVERIFY(view->find("mediaTitle")->property("truncated").toBool());

        ViewHost mini(QStringLiteral("MiniPlayer"), { { "media", QVariant::fromValue(m_media.get()) } },
            QSize(380, 36));
        QQuickItem *text = mini.find("miniPlayerText");
        QCOMPARE(text->property("lineCount").toInt(), 1);
        QVERIFY(text->property("truncated").toBool());
        QQuickItem *strip = mini.find("miniPlayerStrip");
        QVERIFY(text->mapToItem(strip, QPointF(text->width(), 0)).x() <= strip->width());
        m_media->setTitle(QStringLiteral("Title"));
        QCOMPARE(mini.text("miniPlayerText"), QStringLiteral("<b>Bold</b><img src=\"x\"> \u2014 Title"));
    }

    // The meter, the shadow and the art as they are drawn.
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

    void shadowWithoutRoomForItsShapeIsClear()
    {
        QCOMPARE(qAlpha(MediaShadow::render(QSize(10, 10), 4, 10, Qt::black).pixel(5, 5)), 0);
    }

    void panelDrawsItsButtonAndArt()
    {
        m_media->setTitle(QStringLiteral("A Very Long Song Title That Does Not Fit On One Line"));
        m_media->setIsPlaying(true);
        ViewHost panel(QStringLiteral("MediaPanel"), { { "media", QVariant::fromValue(m_media.get()) } },
            QSize(340, 354));
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
        m_media->setAlbumArt(art);
        m_media->setIsPlaying(false);
        const QImage withArt = panel.window()->grabWindow();
        QQuickItem *artItem = panel.find("albumArtImage");
        const QPointF middle = artItem->mapToScene(QPointF(50, 50));
        QVERIFY(withArt.pixelColor(middle.toPoint()).saturation() > 100);
    }
};

BRIVANE_TEST_MAIN(TestMediaViews)
#include "tst_mediaviews.moc"
