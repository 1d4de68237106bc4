// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestSupport.h"
#include "app/PanelSettings.h"

#include <QGuiApplication>
#include <QScreen>

using TestSupport::setExpanded;
using TestSupport::ViewHost;

class TestRootView : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestSupport::CardStores> m_stores;

    static QString panelName(const ViewHost &view)
    {
        auto *loader = view.find("panelLoader");
        auto *item = loader ? loader->property("item").value<QObject *>() : nullptr;
        return item ? item->objectName() : QString();
    }

private Q_SLOTS:
    void init()
    {
        setExpanded(false);
        m_stores = std::make_unique<TestSupport::CardStores>();
    }

    void collapsedShowsNothingAndCreatesNoPanel()
    {
        auto view = m_stores->card();
        QVERIFY(view->root());
        QCOMPARE(view->root()->property("isExpanded").toBool(), false);
        QTRY_COMPARE(view->find("card")->isVisible(), false);
        QCOMPARE(panelName(*view), QString());
        // Nothing of the card is built until it first opens.
        QVERIFY(!view->find("tabBar"));
        QVERIFY(!view->find("mediaPanel"));
    }

    void tabsSelectTheirPanelAndOnlyThatPanelExists()
    {
        auto view = m_stores->card();
        setExpanded(true);
        QTRY_VERIFY(view->find("card")->isVisible());
        QCOMPARE(panelName(*view), QStringLiteral("mediaPanel"));

        const QStringList labels { "Now", "Notes", "Timer", "Calc", "Clip", "AI", "Stats" };
        const QStringList panels { "mediaPanel", "notesPanel", "timerPanel", "calculatorPanel",
            "clipboardPanel", "aiPanel", "statsPanel" };
        for (int i = labels.size() - 1; i >= 0; --i) {
            QQuickItem *tab = view->find("tab_" + labels.at(i));
            QVERIFY2(tab, qPrintable(labels.at(i)));
            view->click(tab);
            QCOMPARE(view->root()->property("selectedTab").toInt(), i);
            QCOMPARE(panelName(*view), panels.at(i));
            for (const QString &other : panels) {
                if (other != panels.at(i))
                    QVERIFY2(!view->find(other), qPrintable(other));
            }
            QCOMPARE(tab->property("selected").toBool(), true);
        }
    }

    void theTabSurvivesCollapseWhileItsPanelDoesNot()
    {
        auto view = m_stores->card();
        setExpanded(true);
        view->click(view->find("tab_Calc"));
        QCOMPARE(panelName(*view), QStringLiteral("calculatorPanel"));
        QPointer<QQuickItem> first = view->find("calculatorPanel");

        setExpanded(false);
        QCOMPARE(panelName(*view), QString());
        QTRY_VERIFY(first.isNull());

        setExpanded(true);
        QCOMPARE(view->root()->property("selectedTab").toInt(), 3);
        QCOMPARE(panelName(*view), QStringLiteral("calculatorPanel"));
    }

    void aKnownTrackMakesRoomForTheMiniPlayer()
    {
        auto view = m_stores->card();
        setExpanded(true);
        QQuickItem *content = view->find("tabContent");
        QCOMPARE(content->height(), 400.0);
        QVERIFY(!view->find("miniPlayer"));
        m_stores->media.setTitle(QStringLiteral("Song"));
        QCOMPARE(content->height(), 364.0);
        QVERIFY(view->find("miniPlayer"));
        // It comes back, still bound to the store, on the next expansion.
        setExpanded(false);
        QTRY_VERIFY(!view->find("miniPlayer"));
        setExpanded(true);
        QTRY_VERIFY(view->find("miniPlayer"));
        m_stores->media.setTitle(QString());
        QCOMPARE(content->height(), 400.0);
    }

    void choicesOfferTheirDefaultWhatIsThereAndTheStoredOne()
    {
        PanelSettings settings(m_stores->prefs);
        MediaStore media { MediaBackends {} };
        media.setPlayers({ "Alpha", "Beta" });
        ViewHost view(QStringLiteral("SettingsView"),
            { { "notes", QVariant::fromValue(&m_stores->notes) },
                { "ai", QVariant::fromValue(&m_stores->ai) },
                { "panelSettings", QVariant::fromValue(&settings) },
                { "media", QVariant::fromValue(&media) } },
            QSize(400, 720));
        QQuickItem *combo = view.find("playerChoice");
        QVERIFY(combo);
        QCOMPARE(combo->property("count").toInt(), 3);
        QCOMPARE(combo->property("displayText").toString(), "Automatic");

        // A stored player that is away stays in view.
        settings.setPlayer("Gamma");
        media.setPreferredPlayer("Gamma");
        QCOMPARE(combo->property("count").toInt(), 4);
        QCOMPARE(combo->property("displayText").toString(), "Gamma");

        QVERIFY(QMetaObject::invokeMethod(combo, "activated", Q_ARG(int, 2)));
        QCOMPARE(settings.player(), "Beta");
        QVERIFY(QMetaObject::invokeMethod(combo, "activated", Q_ARG(int, 0)));
        QCOMPARE(settings.player(), "");

        // Monitors: primary, every one, each present by name, and a stored
        // one that is unplugged.
        QQuickItem *monitors = view.find("monitorChoice");
        QVERIFY(monitors);
        const auto screens = QGuiApplication::screens();
        const int present = int(std::count_if(
            screens.cbegin(), screens.cend(), [](QScreen *screen) { return !screen->name().isEmpty(); }));
        QCOMPARE(monitors->property("count").toInt(), 2 + present);
        settings.setMonitor("DP-9");
        QCOMPARE(monitors->property("count").toInt(), 3 + present);
        QCOMPARE(monitors->property("currentText").toString(), "DP-9");
        QVERIFY(QMetaObject::invokeMethod(monitors, "activated", Q_ARG(int, 1)));
        QCOMPARE(settings.monitor(), PanelSettings::AllMonitors);
    }
};

BRIVANE_TEST_MAIN(TestRootView)
#include "tst_rootview.moc"
