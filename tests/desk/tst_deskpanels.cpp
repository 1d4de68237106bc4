// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestSupport.h"
#include "desk/CalculatorStore.h"
#include "desk/TimerStore.h"
#include "ui/Theme.h"

#include <QtQuickTest/quicktest.h>

using TestSupport::ViewHost;

// The desk panels as the user sees them: rows, clicks and typing.
class TestDeskPanels : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestSupport::CardStores> m_stores;

    std::unique_ptr<ViewHost> notesPanel()
    {
        return std::make_unique<ViewHost>(
            QStringLiteral("NotesPanel"), QVariantMap { { "notes", QVariant::fromValue(&m_stores->notes) } });
    }
    std::unique_ptr<ViewHost> clipboardPanel()
    {
        return std::make_unique<ViewHost>(QStringLiteral("ClipboardPanel"),
            QVariantMap { { "clipboard", QVariant::fromValue(&m_stores->clipboard) } });
    }
    void capture(const QString &text)
    {
        m_stores->clip.content = text;
        m_stores->clipboard.capture();
    }
private Q_SLOTS:
    void init() { m_stores = std::make_unique<TestSupport::CardStores>(); }
    void cleanup() { m_stores.reset(); }

    void notesInputIsTrimmedOnReturnAndBlankInputStays()
    {
        auto view = notesPanel();
        QQuickItem *input = view->find("noteInput");
        view->click(input);
        QTRY_VERIFY(input->hasActiveFocus());
        view->type(QStringLiteral("   buy milk  "));
        view->pressReturn();
        QCOMPARE(m_stores->notes.count(), 1);
        QCOMPARE(m_stores->notes.notes().at(0).text, QStringLiteral("buy milk"));
        QCOMPARE(input->property("text").toString(), QString());
        QCOMPARE(view->text("noteText_0"), QStringLiteral("buy milk"));
        QVERIFY(!view->text("noteTime_0").isEmpty());

        view->type(QStringLiteral("   "));
        view->click("noteAdd");
        QCOMPARE(m_stores->notes.count(), 1);
        QCOMPARE(input->property("text").toString(), QStringLiteral("   "));
    }

    void notesShowTheEightNewestAndDeleteFromTheRow()
    {
        for (int i = 1; i <= 9; ++i)
            m_stores->notes.add(QStringLiteral("note %1").arg(i));
        auto view = notesPanel();
        QVERIFY(QQuickTest::qWaitForPolish(view->window()));
        QVERIFY(view->find("noteRow_7"));
        QVERIFY(!view->find("noteRow_8"));
        QCOMPARE(view->text("noteText_0"), QStringLiteral("note 9"));
        QCOMPARE(view->text("noteText_7"), QStringLiteral("note 2"));

        view->click("noteDelete_0");
        QCOMPARE(m_stores->notes.count(), 8);
        QTRY_COMPARE(view->text("noteText_0"), QStringLiteral("note 8"));
        QTRY_COMPARE(view->text("noteText_7"), QStringLiteral("note 1"));
    }

    void notesShowPlainTextInAtMostTwoLines()
    {
        const QString longLine = QStringLiteral("word ").repeated(40);
        m_stores->notes.add(longLine + QLatin1Char('\n') + longLine + QLatin1Char('\n') + longLine);
        m_stores->notes.add(QStringLiteral("<b>x</b> &amp;"));
        auto view = notesPanel();
        QQuickItem *markup = view->find("noteText_0");
        QCOMPARE(markup->property("text").toString(), QStringLiteral("<b>x</b> &amp;"));
        QCOMPARE(markup->property("textFormat").toInt(), int(Qt::PlainText));
        QQuickItem *three = view->find("noteText_1");
        QCOMPARE(three->property("lineCount").toInt(), 2);
        QVERIFY(three->property("truncated").toBool());
        // The row grows with its two lines and no further.
        QVERIFY(view->find("noteRow_1")->height() < 3 * view->find("noteRow_0")->height());
    }

    void settingsListFollowsTheStoreLive()
    {
        ViewHost view(QStringLiteral("SettingsNotesList"),
            { { "notes", QVariant::fromValue(&m_stores->notes) } }, QSize(360, 300));
        QCOMPARE(view.text("notesHeading"), QStringLiteral("Notes (0)"));
        QVERIFY(!view.find("settingsNote_0"));

        for (int i = 1; i <= 12; ++i)
            m_stores->notes.add(QStringLiteral("note %1").arg(i));
        QCOMPARE(view.text("notesHeading"), QStringLiteral("Notes (12)"));
        QTRY_VERIFY(view.find("settingsNote_0"));
        QCOMPARE(view.text("settingsNoteText_0"), QStringLiteral("note 12"));
        QCOMPARE(view.find("settingsNotesView")->property("count").toInt(), 12);

        m_stores->notes.deleteNote(m_stores->notes.notes().at(0).id);
        QCOMPARE(view.text("notesHeading"), QStringLiteral("Notes (11)"));
        QTRY_COMPARE(view.text("settingsNoteText_0"), QStringLiteral("note 11"));
    }

    void clipboardCaptureAndRows()
    {
        auto view = clipboardPanel();
        QVERIFY(view->find("clipboardEmpty")->isVisible());

        m_stores->clip.content = QStringLiteral("<i>hello</i>");
        view->click("captureButton");
        QVERIFY(!view->find("clipboardEmpty")->isVisible());
        QCOMPARE(view->text("clipText_0"), QStringLiteral("<i>hello</i>"));
        QCOMPARE(view->find("clipText_0")->property("textFormat").toInt(), int(Qt::PlainText));

        for (int i = 2; i <= 15; ++i)
            capture(QStringLiteral("entry %1").arg(i));
        QVERIFY(view->find("clipRow_9"));
        QVERIFY(!view->find("clipRow_10"));
        QCOMPARE(view->text("clipText_9"), QStringLiteral("entry 6"));

        view->click("clipDelete_0");
        QCOMPARE(m_stores->clipboard.count(), 14);
        QTRY_COMPARE(view->text("clipText_0"), QStringLiteral("entry 14"));
        QTRY_COMPARE(view->text("clipText_9"), QStringLiteral("entry 5"));

        view->click("clipCopy_3");
        QCOMPARE(m_stores->clip.content.value(), QStringLiteral("entry 11"));
        QCOMPARE(m_stores->clipboard.items().at(0), QStringLiteral("entry 14"));
    }

    // The store's own test has the arithmetic; here, that each control
    // reaches it and the display follows.
    void timerModesLengthsAndControls()
    {
        TimerStore timer;
        ViewHost view(QStringLiteral("TimerPanel"), { { "timer", QVariant::fromValue(&timer) } });
        TimerStore *store = &timer;
        qint64 ms = 0; // the store's clock, moved a second at each tick
        store->setClock([&ms] { return ms; });
        QVERIFY(!view.find("countdownLengths")->isVisible());

        view.click("timerPlayPause");
        QCOMPARE(view.find("timerDisplay")->property("color").value<QColor>(), Theme::orange());
        ms += 7000;
        store->tick();
        view.click("timerSkip");
        QCOMPARE(view.text("timerDisplay"), QStringLiteral("0:17"));
        view.click("timerPlayPause");
        QCOMPARE(store->isRunning(), false);

        view.click("modeCountdown");
        QTRY_VERIFY(view.find("countdownLengths")->isVisible());
        view.click("length_5m");
        QCOMPARE(view.text("timerDisplay"), QStringLiteral("5:00"));
        QVERIFY(view.find("length_5m")->property("selected").toBool());
        view.click("timerPlayPause");
        ms += 1000;
        store->tick();
        QCOMPARE(view.text("timerDisplay"), QStringLiteral("4:59"));
        view.click("timerReset");
        QCOMPARE(view.text("timerDisplay"), QStringLiteral("5:00"));
    }

    // A count nobody sees ends silently, unless the strip shows it: then it
    // goes on with the card closed, its time in the strip, and chimes.
    void aCountNobodySeesEndsUnlessTheStripShowsIt_data()
    {
        QTest::addColumn<bool>("strip");
        QTest::newRow("strip off") << false;
        QTest::newRow("strip on") << true;
    }
    void aCountNobodySeesEndsUnlessTheStripShowsIt()
    {
        QFETCH(bool, strip);
        TimerStore &store = m_stores->timer;
        m_stores->settings.setShowActivity(strip);
        store.setKeepsRunning(strip);
        qint64 ms = 0;
        store.setClock([&ms] { return ms; });
        int beeps = 0;
        store.setBeep([&beeps] { ++beeps; });
        auto card = m_stores->card();
        ViewHost &view = *card;
        TestSupport::setExpanded(true);
        view.click("tab_Timer");
        QTRY_VERIFY(view.find("timerPanel"));
        view.click("modeCountdown");
        view.click("timerPlayPause");
        QVERIFY(store.timerActive());

        view.click("tab_Notes");
        QTRY_VERIFY(!view.find("timerPanel"));
        QCOMPARE(store.isRunning(), strip);
        TestSupport::setExpanded(false);
        QTRY_COMPARE(bool(view.find("stripTime")), strip);
        if (strip) {
            ms += 1000;
            store.tick();
            QCOMPARE(view.text("stripTime"), QStringLiteral("0:59"));
            ms += 59000;
            store.tick();
            QCOMPARE(view.text("stripTime"), QStringLiteral("0:00"));
            QVERIFY(store.justEnded());
            QCOMPARE(beeps, 1);
        } else {
            QCOMPARE(store.display(), QStringLiteral("0:00"));
            QVERIFY(store.isStopwatch());
            QCOMPARE(beeps, 0);
        }
        QQuickItem *art = view.find("stripArt");
        QVERIFY(!art || !art->isVisible()); // nothing plays
        store.reset();
        m_stores->settings.setShowActivity(false);
        store.setKeepsRunning(false);
        QTRY_VERIFY(!view.find("stripActivity"));
    }

    // The store's table has the arithmetic; the keys only have to reach it.
    // Long numbers shrink the display's font, then are cut short.
    void calculatorKeysAndLongNumbers()
    {
        ViewHost view(QStringLiteral("CalculatorPanel"), {});
        for (const QString key : { "7", "+", "8", "=" })
            view.click(QStringLiteral("key_") + key);
        QCOMPARE(view.text("calculatorDisplay"), QStringLiteral("15"));
        auto *calc = view.root()->property("calc").value<CalculatorStore *>();
        QQuickItem *display = view.find("calculatorDisplay");
        const auto shownSize
            = [display] { return display->property("fontInfo").toMap().value("pixelSize").toInt(); };
        QCOMPARE(shownSize(), 28);
        calc->setDisplay(QStringLiteral("1234567890123456789012"));
        QTRY_VERIFY(shownSize() < 28);
        QVERIFY(shownSize() >= 14);
        QVERIFY(!display->property("truncated").toBool());
        calc->setDisplay(QStringLiteral("1234567890").repeated(8));
        QTRY_COMPARE(shownSize(), 14);
        QVERIFY(display->property("truncated").toBool());
    }
};

BRIVANE_TEST_MAIN(TestDeskPanels)
#include "tst_deskpanels.moc"
