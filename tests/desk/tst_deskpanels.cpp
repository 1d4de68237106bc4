// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FakeClipboard.h"
#include "TestSupport.h"
#include "ai/AIStore.h"
#include "app/ExpansionObserver.h"
#include "app/Theme.h"
#include "desk/CalculatorStore.h"
#include "desk/ClipboardStore.h"
#include "desk/NotesStore.h"
#include "desk/TimerStore.h"
#include "media/MediaStore.h"
#include "platform/KeyValueStore.h"
#include "platform/NotificationCenter.h"

#include <QDir>
#include <QPalette>
#include <QTemporaryDir>
#include <QtQuickTest/quicktest.h>
#include <memory>

using TestSupport::ViewHost;

// The desk panels as the user sees them: rows, clicks and typing.
class TestDeskPanels : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<KeyValueStore> m_prefs;
    std::unique_ptr<NotesStore> m_notes;
    FakeClipboard m_clip;
    std::unique_ptr<ClipboardStore> m_clipboard;

    std::unique_ptr<ViewHost> notesPanel()
    {
        return std::make_unique<ViewHost>(
            QStringLiteral("NotesPanel"), QVariantMap { { "notes", QVariant::fromValue(m_notes.get()) } });
    }
    std::unique_ptr<ViewHost> clipboardPanel()
    {
        return std::make_unique<ViewHost>(QStringLiteral("ClipboardPanel"),
            QVariantMap { { "clipboard", QVariant::fromValue(m_clipboard.get()) } });
    }
    // The whole card, expanded, around this test's notes and clipboard.
    std::unique_ptr<ViewHost> expandedCard(AIStore &ai, MediaStore &media)
    {
        auto card = std::make_unique<ViewHost>(QStringLiteral("NotchRootView"),
            QVariantMap { { "notes", QVariant::fromValue(m_notes.get()) },
                { "clipboard", QVariant::fromValue(m_clipboard.get()) }, { "ai", QVariant::fromValue(&ai) },
                { "media", QVariant::fromValue(&media) } },
            QSize(380, 520));
        NotificationCenter::defaultCenter().post(
            ExpansionObserver::notificationName(), { { "expanded", true } });
        return card;
    }
    static QString text(const ViewHost &view, const QString &name)
    {
        QQuickItem *item = view.find(name);
        return item ? item->property("text").toString() : QStringLiteral("<no %1>").arg(name);
    }
    void capture(const QString &text)
    {
        m_clip.content = text;
        m_clipboard->capture();
    }
    // Lets positioners place rows added since the last frame.
    static void settle(const ViewHost &view) { QVERIFY(QQuickTest::qWaitForPolish(view.window())); }
    // Straight to the window, which offscreen is never the focus window.
    static void pressReturn(const ViewHost &view)
    {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QCoreApplication::sendEvent(view.window(), &press);
        QCoreApplication::sendEvent(view.window(), &release);
    }
    // Clicks the named item once the rows have been placed.
    static void click(const ViewHost &view, const QString &name)
    {
        settle(view);
        QQuickItem *item = view.find(name);
        QVERIFY2(item, qPrintable(name));
        view.click(item);
    }
private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_prefs = std::make_unique<KeyValueStore>(TestSupport::temporaryPreferencesPath(*m_dir));
        m_notes = std::make_unique<NotesStore>(*m_prefs);
        m_clip = FakeClipboard();
        m_clipboard = std::make_unique<ClipboardStore>(*m_prefs, m_clip);
    }
    void cleanup()
    {
        m_clipboard.reset();
        m_notes.reset();
        m_prefs.reset();
        m_dir.reset();
    }

    void notesInputIsTrimmedOnReturnAndBlankInputStays()
    {
        auto view = notesPanel();
        QQuickItem *input = view->find("noteInput");
        view->click(input);
        QTRY_VERIFY(input->hasActiveFocus());
        view->type(QStringLiteral("   buy milk  "));
        pressReturn(*view);
        QCOMPARE(m_notes->count(), 1);
        QCOMPARE(m_notes->notes().at(0).text, QStringLiteral("buy milk"));
        QCOMPARE(input->property("text").toString(), QString());
        QCOMPARE(text(*view, "noteText_0"), QStringLiteral("buy milk"));
        QVERIFY(!text(*view, "noteTime_0").isEmpty());

        view->type(QStringLiteral("   "));
        click(*view, "noteAdd");
        QCOMPARE(m_notes->count(), 1);
        QCOMPARE(input->property("text").toString(), QStringLiteral("   "));
    }

    void notesShowTheEightNewestAndDeleteFromTheRow()
    {
        for (int i = 1; i <= 9; ++i)
            m_notes->add(QStringLiteral("note %1").arg(i));
        auto view = notesPanel();
        settle(*view);
        QVERIFY(view->find("noteRow_7"));
        QVERIFY(!view->find("noteRow_8"));
        QCOMPARE(text(*view, "noteText_0"), QStringLiteral("note 9"));
        QCOMPARE(text(*view, "noteText_7"), QStringLiteral("note 2"));

        click(*view, "noteDelete_0");
        QCOMPARE(m_notes->count(), 8);
        QCOMPARE(m_notes->notes().at(0).text, QStringLiteral("note 8"));
        QCOMPARE(NotesStore::decode(m_prefs->data(NotesStore::key).value())->size(), 8);
        QTRY_COMPARE(text(*view, "noteText_0"), QStringLiteral("note 8"));
        QTRY_COMPARE(text(*view, "noteText_7"), QStringLiteral("note 1"));
    }

    void notesShowPlainTextInAtMostTwoLines()
    {
        const QString longLine = QStringLiteral("word ").repeated(40);
        m_notes->add(longLine + QLatin1Char('\n') + longLine + QLatin1Char('\n') + longLine);
        m_notes->add(QStringLiteral("<b>x</b> &amp;"));
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
            { { "notes", QVariant::fromValue(m_notes.get()) } }, QSize(360, 300));
        QCOMPARE(text(view, "notesHeading"), QStringLiteral("Notes (0)"));
        QVERIFY(!view.find("settingsNote_0"));

        for (int i = 1; i <= 12; ++i)
            m_notes->add(QStringLiteral("note %1").arg(i));
        QCOMPARE(text(view, "notesHeading"), QStringLiteral("Notes (12)"));
        QTRY_VERIFY(view.find("settingsNote_0"));
        QCOMPARE(text(view, "settingsNoteText_0"), QStringLiteral("note 12"));
        QVERIFY(!text(view, "settingsNoteDate_0").isEmpty());
        QCOMPARE(view.find("settingsNotesView")->property("count").toInt(), 12);

        m_notes->deleteNote(m_notes->notes().at(0).id);
        QCOMPARE(text(view, "notesHeading"), QStringLiteral("Notes (11)"));
        QTRY_COMPARE(text(view, "settingsNoteText_0"), QStringLiteral("note 11"));
    }

    void clipboardCaptureAndRows()
    {
        auto view = clipboardPanel();
        QVERIFY(view->find("clipboardEmpty")->isVisible());
        QCOMPARE(text(*view, "clipboardEmpty"), QStringLiteral("Copy some text, then tap Capture."));

        m_clip.content = QStringLiteral("<i>hello</i>");
        click(*view, "captureButton");
        QCOMPARE(m_clipboard->items(), QStringList({ "<i>hello</i>" }));
        QVERIFY(!view->find("clipboardEmpty")->isVisible());
        QCOMPARE(text(*view, "clipText_0"), QStringLiteral("<i>hello</i>"));
        QCOMPARE(view->find("clipText_0")->property("textFormat").toInt(), int(Qt::PlainText));

        for (int i = 2; i <= 15; ++i)
            capture(QStringLiteral("entry %1").arg(i));
        QVERIFY(view->find("clipRow_9"));
        QVERIFY(!view->find("clipRow_10"));
        QCOMPARE(text(*view, "clipText_9"), QStringLiteral("entry 6"));

        click(*view, "clipDelete_0");
        QCOMPARE(m_clipboard->count(), 14);
        QTRY_COMPARE(text(*view, "clipText_0"), QStringLiteral("entry 14"));
        QTRY_COMPARE(text(*view, "clipText_9"), QStringLiteral("entry 5"));

        click(*view, "clipCopy_3");
        QCOMPARE(m_clip.content.value(), QStringLiteral("entry 11"));
        QCOMPARE(m_clipboard->items().at(0), QStringLiteral("entry 14"));
    }

    void clipboardRowsStayBoundedForHugeEntries()
    {
        const QString huge = QStringLiteral("x").repeated(2 * 1024 * 1024);
        capture(huge);
        auto view = clipboardPanel();
        QQuickItem *row = view->find("clipText_0");
        QVERIFY(row->property("text").toString().size() < 1000);
        QCOMPARE(row->property("lineCount").toInt(), 2);
        click(*view, "clipCopy_0");
        QCOMPARE(m_clip.content->size(), huge.size());
    }

    void timerModesLengthsAndControls()
    {
        ViewHost view(QStringLiteral("TimerPanel"), {});
        auto *store = view.root()->property("store").value<TimerStore *>();
        QVERIFY(store);
        qint64 ms = 0; // the store's clock, moved a second at each tick
        store->setClock([&ms] { return ms; });
        QCOMPARE(text(view, "timerDisplay"), QStringLiteral("0:00"));
        QVERIFY(!view.find("countdownLengths")->isVisible());

        click(view, "timerSkip");
        QCOMPARE(text(view, "timerDisplay"), QStringLiteral("0:00"));
        click(view, "timerPlayPause");
        QCOMPARE(view.find("timerDisplay")->property("color").value<QColor>(), Theme::orange());
        for (int i = 0; i < 7; ++i) {
            ms += 1000;
            store->tick();
        }
        click(view, "timerSkip");
        QCOMPARE(text(view, "timerDisplay"), QStringLiteral("0:17"));
        click(view, "timerPlayPause");
        QCOMPARE(store->isRunning(), false);
        QCOMPARE(view.find("timerDisplay")->property("color").value<QColor>(), Theme::white());

        click(view, "modeCountdown");
        QTRY_VERIFY(view.find("countdownLengths")->isVisible());
        settle(view);
        QCOMPARE(text(view, "timerDisplay"), QStringLiteral("1:00"));
        click(view, "length_5m");
        QCOMPARE(text(view, "timerDisplay"), QStringLiteral("5:00"));
        QVERIFY(view.find("length_5m")->property("selected").toBool());
        QVERIFY(!view.find("length_1m")->property("selected").toBool());
        click(view, "timerPlayPause");
        ms += 1000;
        store->tick();
        QCOMPARE(text(view, "timerDisplay"), QStringLiteral("4:59"));
        click(view, "timerReset");
        QCOMPARE(store->isRunning(), false);
        QCOMPARE(text(view, "timerDisplay"), QStringLiteral("5:00"));
    }

    void anAbandonedTimerGoesWithItsTab()
    {
        AIStore ai(*m_prefs);
        MediaStore media;
        auto view_ = expandedCard(ai, media);
        ViewHost &view = *view_;
        click(view, "tab_Timer");
        QTRY_VERIFY(view.find("timerPanel"));
        settle(view);
        QPointer<TimerStore> store = view.find("timerPanel")->property("store").value<TimerStore *>();
        QVERIFY(store);
        int beeps = 0;
        store->setBeep([&beeps] { ++beeps; });
        click(view, "modeCountdown");
        click(view, "timerPlayPause");
        QVERIFY(store->timerActive());

        click(view, "tab_Notes");
        QTRY_VERIFY(store.isNull()); // and its timer with it: no beep can come
        click(view, "tab_Timer");
        QTRY_VERIFY(view.find("timerPanel"));
        QCOMPARE(text(view, "timerDisplay"), QStringLiteral("0:00"));
        QVERIFY(view.find("modeStopwatch")->property("selected").toBool());
        QCOMPARE(beeps, 0);
        NotificationCenter::defaultCenter().post(
            ExpansionObserver::notificationName(), { { "expanded", false } });
    }

    void calculatorKeys()
    {
        ViewHost view(QStringLiteral("CalculatorPanel"), {});
        auto press = [&view](const QString &keys) {
            for (const QString &key : keys.split(u' ', Qt::SkipEmptyParts))
                click(view, QStringLiteral("key_") + key);
        };
        press("7 + 8 =");
        QCOMPARE(text(view, "calculatorDisplay"), QStringLiteral("15"));
        press("C 6 \u00D7 7 =_2");
        QCOMPARE(text(view, "calculatorDisplay"), QStringLiteral("42"));
        press("C 5 \u00B1");
        QCOMPARE(text(view, "calculatorDisplay"), QStringLiteral("-5.0"));
        press("2");
        QCOMPARE(text(view, "calculatorDisplay"), QStringLiteral("-5.02"));
        press("C 5 0 %");
        QCOMPARE(text(view, "calculatorDisplay"), QStringLiteral("0.5"));
        press("C 1 \u00F7 3 =");
        QCOMPARE(text(view, "calculatorDisplay"), QStringLiteral("0.3333"));
    }

    void calculatorLongNumbersShrinkThenTruncate()
    {
        ViewHost view(QStringLiteral("CalculatorPanel"), {});
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

    // Not a check: with BRIVANE_SCREENSHOTS set, saves each panel as a PNG.
};

BRIVANE_TEST_MAIN(TestDeskPanels)
#include "tst_deskpanels.moc"
