// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestSupport.h"
#include "app/Symbols.h"
#include "media/MediaFormat.h"
#include "media/MediaStore.h"
#include "media/WaveView.h"

#include <QQmlContext>
#include <QQmlProperty>
#include <cmath>
#include <limits>

using TestSupport::ViewHost;

namespace {

QString textOf(const ViewHost &view, const QString &objectName)
{
    QQuickItem *item = view.find(objectName);
    return item ? item->property("text").toString() : QStringLiteral("<missing %1>").arg(objectName);
}

QVariant attached(QQuickItem *item, const char *name)
{
    return QQmlProperty(item, QString::fromLatin1(name), qmlContext(item)).read();
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
    std::unique_ptr<ViewHost> miniPlayer()
    {
        return std::make_unique<ViewHost>(QStringLiteral("MiniPlayer"),
            QVariantMap { { "media", QVariant::fromValue(m_media.get()) } }, QSize(380, 36));
    }
    void setTrack(const QString &title, const QString &artist, const QString &album, double elapsed,
        double duration, bool playing)
    {
        m_media->setTitle(title);
        m_media->setArtist(artist);
        m_media->setAlbum(album);
        m_media->setElapsed(elapsed);
        m_media->setDuration(duration);
        m_media->setIsPlaying(playing);
    }

private Q_SLOTS:
    void init() { m_media = std::make_unique<MediaStore>(); }
    void cleanup() { m_media.reset(); }

    void formatTime_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("truncates") << 75.9 << "1:15";
        QTest::newRow("pads seconds") << 5.0 << "0:05";
        QTest::newRow("ten minutes") << 600.0 << "10:00";
        QTest::newRow("zero") << 0.0 << "0:00";
        QTest::newRow("just under a minute") << 59.999 << "0:59";
        QTest::newRow("no hours") << 3725.0 << "62:05";
        QTest::newRow("a day") << 86400.0 << "1440:00";
        QTest::newRow("negative") << -5.0 << "-0:05";
        QTest::newRow("negative minutes") << -65.5 << "-1:05";
        QTest::newRow("negative under a second") << -0.5 << "0:00";
        QTest::newRow("nan") << std::nan("") << "0:00";
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << "0:00";
        QTest::newRow("minus infinite") << -std::numeric_limits<double>::infinity() << "0:00";
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
        QCOMPARE(MediaFormat::remainingTime(30, 200), QStringLiteral("-2:50"));
        QCOMPARE(MediaFormat::remainingTime(199.5, 200), QStringLiteral("-0:00"));
        QCOMPARE(MediaFormat::remainingTime(250, 200), QStringLiteral("-0:00"));
        QCOMPARE(MediaFormat::remainingTime(10, std::nan("")), QStringLiteral("-0:00"));

        QCOMPARE(MediaFormat::progressFraction(30, 200), 0.15);
        QCOMPARE(MediaFormat::progressFraction(250, 200), 1.0);
        QCOMPARE(MediaFormat::progressFraction(-3, 200), 0.0);
        QCOMPARE(MediaFormat::progressFraction(30, 0), 0.0);
        QCOMPARE(MediaFormat::progressFraction(std::nan(""), 200), 0.0);

        QVERIFY(MediaFormat::hasProgress(0.5));
        QVERIFY(!MediaFormat::hasProgress(0));
        QVERIFY(!MediaFormat::hasProgress(-1));
        QVERIFY(!MediaFormat::hasProgress(std::numeric_limits<double>::infinity()));
    }

    // The position comes from the last report and the clock, so a late or
    // missed tick still shows the true position; paused, it stays.
    void thePositionFollowsTheClockOnlyWhilePlaying()
    {
        QCOMPARE(MediaFormat::elapsedAfter(30, 1, 200), 31.0);
        QCOMPARE(MediaFormat::elapsedAfter(199.5, 3, 200), 200.0);
        // A position reported beyond the end is neither advanced nor pulled back.
        QCOMPARE(MediaFormat::elapsedAfter(250, 1, 200), 250.0);
        QCOMPARE(MediaFormat::elapsedAfter(30, 1, 0), 30.0);

        qint64 ms = 5000;
        m_media->setClock([&ms] { return ms; });
        setTrack("Song", "", "", 30, 200, false);
        ms += 4000;
        m_media->showElapsed();
        QCOMPARE(m_media->elapsed(), 30.0);
        m_media->setIsPlaying(true);
        ms += 3500; // ticks came late, or not at all
        m_media->showElapsed();
        QCOMPARE(m_media->elapsed(), 33.5);
        m_media->setIsPlaying(false);
        ms += 10000;
        m_media->showElapsed();
        QCOMPARE(m_media->elapsed(), 33.5);
        m_media->setIsPlaying(true);
        ms += 1000;
        m_media->showElapsed();
        QCOMPARE(m_media->elapsed(), 34.5);
        m_media->setElapsed(100); // a new report
        ms += 2000;
        m_media->showElapsed();
        QCOMPARE(m_media->elapsed(), 102.0);
    }

    void textFromPlayersIsMadeOneBoundedLine()
    {
        QCOMPARE(MediaFormat::oneLine(QStringLiteral("a\nb\rc\td\u2028e")), QStringLiteral("a b c d e"));
        QCOMPARE(MediaFormat::oneLine(QStringLiteral("<b>x</b> &amp;")), QStringLiteral("<b>x</b> &amp;"));
        QCOMPARE(MediaFormat::oneLine(QString(100000, QLatin1Char('x'))).size(), MediaFormat::MaxLineLength);
        // A cut through a surrogate pair drops the orphaned half.
        const QString emoji
            = QString(MediaFormat::MaxLineLength - 1, QLatin1Char('x')) + QStringLiteral("\U0001F3B5");
        const QString cut = MediaFormat::oneLine(emoji);
        QCOMPARE(cut.size(), MediaFormat::MaxLineLength - 1);
        QVERIFY(!cut.back().isSurrogate());

        QCOMPARE(MediaFormat::miniPlayerText(QString(), QStringLiteral("Title")), QStringLiteral("Title"));
        QCOMPARE(MediaFormat::miniPlayerText(QStringLiteral("Artist"), QStringLiteral("Title")),
            QStringLiteral("Artist \u2014 Title"));
    }

    void volumeMovesWriteOnlyTheClampedField()
    {
        MediaFormat::moveVolume(m_media.get(), 0.25);
        QCOMPARE(m_media->volume(), 0.25f);
        MediaFormat::moveVolume(m_media.get(), 1.5);
        QCOMPARE(m_media->volume(), 1.0f);
        MediaFormat::moveVolume(m_media.get(), std::nan(""));
        QCOMPARE(m_media->volume(), 1.0f);
    }

    void emptyStateUntilATitleIsKnown()
    {
        auto view = panel();
        QVERIFY(view->root());
        QQuickItem *empty = view->find("emptyState");
        QQuickItem *track = view->find("trackState");
        QVERIFY(empty->isVisible());
        QVERIFY(!track->isVisible());
        QCOMPARE(textOf(*view, "emptyTitle"), QStringLiteral("Nothing Playing"));
        QCOMPARE(textOf(*view, "emptyHint"), QStringLiteral("Play music in Music, Spotify, or YouTube"));
        QCOMPARE(view->root()->implicitHeight(), 250.0);

        // Leftovers of another track do not count: only the title does.
        m_media->setArtist("Artist");
        m_media->setIsPlaying(true);
        QVERIFY(empty->isVisible());

        m_media->setTitle("Song");
        QVERIFY(!empty->isVisible());
        QVERIFY(track->isVisible());
        QCOMPARE(textOf(*view, "mediaTitle"), QStringLiteral("Song"));
        QCOMPARE(textOf(*view, "mediaArtist"), QStringLiteral("Artist"));
        QVERIFY(view->root()->implicitHeight() > 250);
        // The whole panel fits the 364-high tab content under the mini player.
        QVERIFY2(view->root()->implicitHeight() + 10 <= 364,
            qPrintable(QString::number(view->root()->implicitHeight())));
        QVERIFY(view->find("albumArtPlaceholder")->isVisible());
        QVERIFY(!view->find("albumArtImage")->isVisible());

        m_media->setTitle(QString());
        QVERIFY(empty->isVisible());
    }

    void albumLineAndSourceLabel()
    {
        setTrack("Song", "Artist", "", 0, 0, false);
        auto view = panel();
        QQuickItem *album = view->find("mediaAlbum");
        QVERIFY(!album->isVisible());
        QCOMPARE(textOf(*view, "sourceLabel"), QString());

        m_media->setAlbum("Album");
        m_media->setAppName("Spotify");
        QVERIFY(album->isVisible());
        QCOMPARE(textOf(*view, "mediaAlbum"), QStringLiteral("Album"));
        QCOMPARE(textOf(*view, "sourceLabel"), QStringLiteral("Spotify"));
    }

    void artReplacesThePlaceholder()
    {
        setTrack("Song", "Artist", "", 0, 0, false);
        auto view = panel();
        QImage art(40, 20, QImage::Format_RGB32);
        art.fill(Qt::blue);
        m_media->setAlbumArt(art);
        QVERIFY(view->find("albumArtImage")->isVisible());
        QVERIFY(!view->find("albumArtPlaceholder")->isVisible());
    }

    void timeRowAndProgressBar()
    {
        setTrack("Song", "Artist", "Album", 30, 200, false);
        auto view = panel();
        QVERIFY(view->find("progress")->isVisible());
        QCOMPARE(textOf(*view, "elapsedText"), QStringLiteral("0:30"));
        QCOMPARE(textOf(*view, "remainingText"), QStringLiteral("-2:50"));
        QQuickItem *bar = view->find("progressBar");
        QCOMPARE(view->find("progressFill")->width(), bar->width() * 0.15);
        QCOMPARE(bar->width(), 340.0 - 32);

        m_media->setElapsed(75.9);
        QCOMPARE(textOf(*view, "elapsedText"), QStringLiteral("1:15"));
        QCOMPARE(textOf(*view, "remainingText"), QStringLiteral("-2:04"));

        // Unknown or broken lengths show no progress at all.
        m_media->setDuration(0);
        QVERIFY(!view->find("progress")->isVisible());
        m_media->setDuration(std::nan(""));
        QVERIFY(!view->find("progress")->isVisible());
    }

    void progressTimerRunsOnlyWhileShownAndPlaying()
    {
        qint64 ms = 0;
        m_media->setClock([&ms] { return ms; });
        setTrack("Song", "Artist", "", 30, 200, false);
        auto view = panel();
        auto *timer = view->root()->findChild<QObject *>("progressTimer");
        QVERIFY(timer);
        QCOMPARE(timer->property("interval").toInt(), 1000);
        QCOMPARE(timer->property("running").toBool(), false);

        m_media->setIsPlaying(true);
        QCOMPARE(timer->property("running").toBool(), true);
        ms += 1000;
        QMetaObject::invokeMethod(timer, "triggered");
        QCOMPARE(m_media->elapsed(), 31.0);
        QCOMPARE(textOf(*view, "elapsedText"), QStringLiteral("0:31"));
        // Ticks from the running timer itself arrive too.
        ms += 1000;
        QTRY_VERIFY_WITH_TIMEOUT(m_media->elapsed() >= 32.0, 5000);

        m_media->setDuration(0);
        QCOMPARE(timer->property("running").toBool(), false);
        m_media->setDuration(200);
        m_media->setTitle(QString());
        QCOMPARE(timer->property("running").toBool(), false);
        m_media->setTitle("Song");
        view->root()->setVisible(false);
        QCOMPARE(timer->property("running").toBool(), false);
    }

    void playPauseSymbolFollowsTheStore()
    {
        setTrack("Song", "Artist", "", 0, 0, false);
        auto view = panel();
        QQuickItem *button = view->find("playPauseButton");
        QCOMPARE(textOf(*view, "playPauseGlyph"), Symbols::glyph("play.fill"));
        QCOMPARE(attached(button, "Accessible.name").toString(), QStringLiteral("Play"));
        m_media->setIsPlaying(true);
        QCOMPARE(textOf(*view, "playPauseGlyph"), Symbols::glyph("pause.fill"));
        QCOMPARE(attached(button, "Accessible.name").toString(), QStringLiteral("Pause"));
    }

    void meterMovesWhilePlayingAndRestartsFromPhaseZero()
    {
        setTrack("Song", "Artist", "", 0, 0, false);
        auto view = panel();
        QQuickItem *dots = view->find("stillDots");
        QVERIFY(dots->isVisible());
        QCOMPARE(dots->childItems().size(), 21); // 20 dots and their repeater
        QVERIFY(!view->find("waveView"));

        m_media->setIsPlaying(true);
        auto *wave = qobject_cast<WaveView *>(view->find("waveView"));
        QVERIFY(wave);
        QVERIFY(!dots->isVisible());
        QCOMPARE(wave->barCount(), 20);
        QCOMPARE(wave->height(), 20.0);
        QVERIFY(wave->isTicking());
        QTRY_VERIFY(wave->phase() > 0);

        m_media->setIsPlaying(false);
        QTRY_VERIFY(!view->find("waveView"));
        QVERIFY(dots->isVisible());

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
        setTrack("Song", "Artist", "", 0, 0, false);
        m_media->setVolumeValue(0.5f);
        auto view = panel();
        QQuickItem *slider = view->find("volumeSlider");
        QCOMPARE(slider->property("value").toDouble(), 0.5);
        QCOMPARE(attached(slider, "Accessible.name").toString(), QStringLiteral("Volume"));

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
        // The store's value moves the slider too.
        m_media->setVolumeValue(0.1f);
        QCOMPARE(slider->property("value").toDouble(), double(0.1f));
    }

    void hostileTextStaysOnePlainElidedLine()
    {
        const QString huge = QString(50000, QLatin1Char('W'));
        const QString markup = QStringLiteral("<b>Bold</b><img src=\"x\">");
        const QString rtl = QStringLiteral(
            "\u05E9\u05D9\u05E8 \u05D0\u05E8\u05D5\u05DA \u05DE\u05D0\u05D5\u05D3 "
            "\u05E9\u05DC \u05D4\u05DC\u05D4\u05E7\u05D4 \u05D4\u05D0\u05D4\u05D5\u05D1\u05D4");
        setTrack(huge, markup, QStringLiteral("line one\nline two"), 0, 0, false);
        auto view = panel();
        for (const char *name : { "mediaTitle", "mediaArtist", "mediaAlbum" }) {
            QQuickItem *text = view->find(QString::fromLatin1(name));
            QCOMPARE(text->property("textFormat").toInt(), int(Qt::PlainText));
            QCOMPARE(text->property("lineCount").toInt(), 1);
            QVERIFY(text->width() <= 340);
        }
        QVERIFY(view->find("mediaTitle")->property("truncated").toBool());
        QCOMPARE(textOf(*view, "mediaArtist"), markup);
        QCOMPARE(textOf(*view, "mediaAlbum"), QStringLiteral("line one line two"));

        m_media->setTitle(rtl + rtl + rtl + rtl);
        QQuickItem *title = view->find("mediaTitle");
        QCOMPARE(title->property("lineCount").toInt(), 1);
        QVERIFY(title->property("truncated").toBool());
    }

    void miniPlayerShowsArtistDashTitle()
    {
        setTrack("Title", "Artist", "Album", 0, 0, false);
        auto view = miniPlayer();
        QCOMPARE(view->root()->implicitHeight(), 36.0);
        QCOMPARE(textOf(*view, "miniPlayerText"), QStringLiteral("Artist \u2014 Title"));
        m_media->setArtist(QString());
        QCOMPARE(textOf(*view, "miniPlayerText"), QStringLiteral("Title"));

        QQuickItem *playPause = view->find("miniPlayPause");
        QCOMPARE(playPause->property("symbol").toString(), QStringLiteral("play.fill"));
        m_media->setIsPlaying(true);
        QCOMPARE(playPause->property("symbol").toString(), QStringLiteral("pause.fill"));

        // One line, inside the strip, however long or odd the text.
        m_media->setTitle(QString(5000, QLatin1Char('M')) + QStringLiteral("\n<i>x</i>"));
        QQuickItem *text = view->find("miniPlayerText");
        QCOMPARE(text->property("lineCount").toInt(), 1);
        QVERIFY(text->property("truncated").toBool());
        QQuickItem *strip = view->find("miniPlayerStrip");
        QVERIFY(text->mapToItem(strip, QPointF(text->width(), 0)).x() <= strip->width());
        QCOMPARE(strip->height() + 6, 36.0);
    }
};

BRIVANE_TEST_MAIN(TestMediaViews)
#include "tst_mediaviews.moc"
