// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestSupport.h"
#include "app/NotchPanel.h"
#include "app/NotchTrackingView.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QTemporaryFile>

using TestSupport::ViewHost;

class TestNotchPanel : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestSupport::CardStores> m_stores;
    std::unique_ptr<QQmlEngine> m_engine;

    std::unique_ptr<NotchPanel> makePanel()
    {
        return std::make_unique<NotchPanel>(m_stores->views(), m_engine.get());
    }

private Q_SLOTS:
    void init()
    {
        m_stores = std::make_unique<TestSupport::CardStores>();
        m_engine = TestSupport::makeEngine();
    }

    void openDelayAndCloseGraceBridgeShortMoves()
    {
        auto panel = makePanel();
        NotchTrackingView *tracker = panel->trackerView();
        panel->setOpenDelay(150);
        panel->setCloseGrace(150);

        // A pass through the strip shorter than the delay opens nothing.
        Q_EMIT tracker->entered();
        QVERIFY(panel->isOpenPending());
        Q_EMIT tracker->left();
        QVERIFY(!panel->isOpenPending());
        QVERIFY(!panel->isExpanded());

        // Resting in it opens the card; leaving and coming back within the
        // grace keeps it open; staying away closes it.
        Q_EMIT tracker->entered();
        QTRY_VERIFY(panel->isExpanded());
        Q_EMIT tracker->left();
        QVERIFY(panel->isExpanded());
        QSignalSpy changes(panel.get(), &NotchPanel::isExpandedChanged);
        Q_EMIT tracker->entered();
        QVERIFY(!changes.wait(300)); // well past the grace
        QVERIFY(panel->isExpanded());
        Q_EMIT tracker->left();
        QTRY_VERIFY(!panel->isExpanded());

        // With no delays both are immediate, as before.
        panel->setOpenDelay(0);
        panel->setCloseGrace(0);
        Q_EMIT tracker->entered();
        QVERIFY(panel->isExpanded());
        Q_EMIT tracker->left();
        QVERIFY(!panel->isExpanded());
    }

    // Files dragged over the strip open the card on the Shelf, as the pointer
    // would; a drag that leaves closes it, a drop keeps it open.
    void draggedFilesOpenTheCardOnTheShelf()
    {
        auto panel = makePanel();
        QQuickItem *root = panel->rootItem();
        QTemporaryFile file;
        QVERIFY(file.open());
        QMimeData files;
        files.setUrls({ QUrl::fromLocalFile(file.fileName()) });
        const auto send = [&](QEvent::Type type, Qt::DropActions offered) {
            QDragEnterEvent enter(QPoint(190, 10), offered, &files, Qt::LeftButton, Qt::NoModifier);
            QDropEvent drop(QPointF(190, 10), offered, &files, Qt::LeftButton, Qt::NoModifier);
            QDropEvent &event = type == QEvent::Drop ? drop : enter;
            QCoreApplication::sendEvent(panel.get(), &event);
            return event.isAccepted() ? event.dropAction() : Qt::IgnoreAction;
        };
        // Never a move, after which the source might delete its file.
        QCOMPARE(send(QEvent::DragEnter, Qt::CopyAction | Qt::MoveAction), Qt::CopyAction);
        QVERIFY(panel->isExpanded());
        QCOMPARE(root->property("tabCount").toInt(), 8);
        QCOMPARE(root->property("selectedTab").toInt(), 7);
        QDragLeaveEvent leave;
        QCoreApplication::sendEvent(panel.get(), &leave);
        QVERIFY(!panel->isExpanded());
        QCOMPARE(root->property("tabCount").toInt(), 7);
        QCOMPARE(send(QEvent::DragEnter, Qt::MoveAction), Qt::IgnoreAction);
        QCOMPARE(send(QEvent::DragEnter, Qt::CopyAction | Qt::LinkAction), Qt::LinkAction);
        QCOMPARE(send(QEvent::Drop, Qt::CopyAction | Qt::LinkAction), Qt::LinkAction);
        QVERIFY(panel->isExpanded());
        QCOMPARE(m_stores->shelf.count(), 1);
        QCOMPARE(root->property("selectedTab").toInt(), 7);
        // Every control of a row names its file.
        const QString name = QFileInfo(file.fileName()).fileName();
        QCOMPARE(ViewHost::attached(TestSupport::findItem(root, "shelfOpen_0"), "Accessible.name"),
            "Open " + name);
        QCOMPARE(ViewHost::attached(TestSupport::findItem(root, "shelfRemove_0"), "Accessible.name"),
            "Remove from shelf: " + name);
        // The tab goes with the last file; the first tab takes its place.
        m_stores->shelf.removeAt(0);
        QCOMPARE(root->property("selectedTab").toInt(), 0);
    }

    void keysToggleSwitchTabsAndClose()
    {
        auto panel = makePanel();
        panel->toggle();
        QVERIFY(panel->isExpanded());
        QQuickItem *root = panel->rootItem();
        QCOMPARE(root->property("selectedTab").toInt(), 0);

        const auto press = [&](int key, Qt::KeyboardModifiers modifiers) {
            QKeyEvent event(QEvent::KeyPress, key, modifiers);
            QCoreApplication::sendEvent(panel.get(), &event);
        };
        // That typing then reaches the Notes field is the opening check's.
        press(Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(root->property("selectedTab").toInt(), 1);
        // The tab bar is one stop of the Tab chain; Left and Right switch.
        auto *tabBar = root->findChild<QQuickItem *>(QStringLiteral("tabBar"));
        QVERIFY(tabBar && tabBar->activeFocusOnTab());
        tabBar->forceActiveFocus();
        QTest::keyClick(panel.get(), Qt::Key_Right);
        QCOMPARE(root->property("selectedTab").toInt(), 2);
        QTest::keyClick(panel.get(), Qt::Key_Left);
        QTest::keyClick(panel.get(), Qt::Key_Left);
        QCOMPARE(root->property("selectedTab").toInt(), 0);
        QVERIFY(tabBar->hasActiveFocus());
        press(Qt::Key_Tab, Qt::ControlModifier);
        press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(root->property("selectedTab").toInt(), 6); // wraps round
        // The pointer opens without moving the keyboard into a field.
        press(Qt::Key_Escape, Qt::NoModifier);
        Q_EMIT panel->trackerView()->entered();
        QVERIFY(!root->property("keyboardOpened").toBool());
        press(Qt::Key_Escape, Qt::NoModifier);
        QVERIFY(!panel->isExpanded());

        // Over a full-screen window nothing opens it, and an open card closes.
        panel->toggle();
        panel->setSuppressed(true);
        QVERIFY(!panel->isExpanded());
        panel->toggle();
        Q_EMIT panel->trackerView()->entered();
        QVERIFY(!panel->isExpanded());
        panel->setSuppressed(false);
        panel->toggle();
        QVERIFY(panel->isExpanded());
    }

    // The strip sits at the top centre of its screen, below a top panel;
    // side and bottom panels, or a work area that makes no sense, move nothing.
    void frames_data()
    {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QRect>("workArea");
        QTest::addColumn<QPoint>("topLeft");
        const QRect screen(0, 0, 1512, 982);
        QTest::newRow("whole screen") << screen << QRect() << QPoint(566, 0);
        QTest::newRow("second screen keeps its origin")
            << QRect(1920, 100, 2560, 1440) << QRect() << QPoint(3010, 100);
        QTest::newRow("odd width rounds left") << QRect(0, 0, 1513, 900) << QRect() << QPoint(566, 0);
        QTest::newRow("top panel") << screen << QRect(0, 27, 1512, 955) << QPoint(566, 27);
        QTest::newRow("left and bottom panels") << screen << QRect(48, 0, 1464, 940) << QPoint(566, 0);
        QTest::newRow("nonsense work area") << screen << QRect(0, 700, 1512, 282) << QPoint(566, 0);
    }
    void frames()
    {
        QFETCH(QRect, screen);
        QFETCH(QRect, workArea);
        QFETCH(QPoint, topLeft);
        QCOMPARE(NotchPanel::collapsedFrame(screen, workArea), QRect(topLeft, QSize(380, 32)));
        QCOMPARE(NotchPanel::expandedFrame(screen, workArea), QRect(topLeft, QSize(380, 520)));
    }

    // The window follows its screen's work area and size, open or not.
    void theWindowFollowsTheWorkAreaAndTheScreen()
    {
        auto panel = makePanel();
        panel->setScreenGeometry(QRect(0, 0, 1512, 982), QRect(0, 32, 1512, 950));
        QCOMPARE(panel->frame(), QRect(566, 32, 380, 32));
        QCOMPARE(panel->geometry(), QRect(566, 32, 380, 520));
        panel->expand();
        QCOMPARE(panel->targetFrame(), QRect(566, 32, 380, 520));
        panel->setScreenGeometry(QRect(0, 0, 800, 600));
        QCOMPARE(panel->geometry(), QRect(210, 0, 380, 520));
        QTRY_COMPARE_WITH_TIMEOUT(panel->frame(), QRect(210, 0, 380, 520), 3000);
    }

    void expandAndCollapseAnimateTheFrameAndKeepTheTopEdge()
    {
        auto panel = makePanel();
        panel->setScreenGeometry(QRect(0, 0, 1512, 982));
        panel->showCollapsed();
        QCOMPARE(panel->frame(), QRect(566, 0, 380, 32));
        QCOMPARE(panel->mask(), QRegion(0, 0, 380, 32));

        panel->expand();
        QCOMPARE(panel->targetFrame(), QRect(566, 0, 380, 520));
        QTRY_COMPARE_WITH_TIMEOUT(panel->frame(), QRect(566, 0, 380, 520), 3000);
        QCOMPARE(panel->mask(), QRegion(0, 0, 380, 520));

        panel->collapse();
        QTRY_COMPARE_WITH_TIMEOUT(panel->frame(), QRect(566, 0, 380, 32), 3000);
        QCOMPARE(panel->geometry().topLeft(), QPoint(566, 0));
    }

    void eachTransitionIsToldOnceBeforeTheFrameMoves()
    {
        auto panel = makePanel();
        panel->setScreenGeometry(QRect(0, 0, 1512, 982));
        QList<bool> told;
        QRect frameWhenTold;
        connect(panel.get(), &NotchPanel::isExpandedChanged, panel.get(), [&] {
            told << panel->isExpanded();
            frameWhenTold = panel->frame();
        });

        panel->expand();
        panel->expand();
        QCOMPARE(told, QList<bool>({ true }));
        QCOMPARE(frameWhenTold.height(), 32);

        panel->collapse();
        panel->collapse();
        QCOMPARE(told, QList<bool>({ true, false }));
    }

    void pointerEnterAndLeaveDriveThePanel()
    {
        auto panel = makePanel();
        panel->setScreenGeometry(QRect(0, 0, 1512, 982));
        panel->showCollapsed();
        QVERIFY(QTest::qWaitForWindowExposed(panel.get()));
        QVERIFY(panel->flags() & Qt::WindowDoesNotAcceptFocus);

        QEnterEvent enter(QPointF(10, 10), QPointF(10, 10), QPointF(576, 10));
        QCoreApplication::sendEvent(panel.get(), &enter);
        QVERIFY(panel->isExpanded());
        // Focusable only while expanded, so typing reaches the card.
        QVERIFY(!(panel->flags() & Qt::WindowDoesNotAcceptFocus));

        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(panel.get(), &leave);
        QVERIFY(!panel->isExpanded());
        QVERIFY(panel->flags() & Qt::WindowDoesNotAcceptFocus);
    }

    void roundedMasksCutOnlyTheCorners()
    {
        const QRegion card = NotchPanel::roundedRegion(380, 520, 28, 28);
        QCOMPARE(card.boundingRect(), QRect(0, 0, 380, 520));
        for (const QPoint corner :
            { QPoint(0, 0), QPoint(379, 0), QPoint(0, 519), QPoint(379, 519), QPoint(3, 3) })
            QVERIFY(!card.contains(corner));
        for (const QPoint inside :
            { QPoint(190, 0), QPoint(0, 260), QPoint(379, 260), QPoint(190, 519), QPoint(12, 12) })
            QVERIFY(card.contains(inside));

        // The strip keeps square top corners against the screen edge.
        const QRegion strip = NotchPanel::roundedRegion(380, 32, 0, 10);
        QVERIFY(strip.contains(QPoint(0, 0)));
        QVERIFY(!strip.contains(QPoint(0, 31)));
        // Radii larger than the shape are clamped, never inverted.
        QCOMPARE(NotchPanel::roundedRegion(380, 10, 28, 28).boundingRect().height(), 10);
    }
};

BRIVANE_TEST_MAIN(TestNotchPanel)
#include "tst_notchpanel.moc"
