// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestSupport.h"
#include "app/Translations.h"

// Runs under LANG=de_DE.UTF-8 (see CMakeLists.txt), so the system locale is
// German as it would be for a user.
class TestTranslations : public QObject
{
    Q_OBJECT

    static void removeTranslators()
    {
        for (QTranslator *translator : qApp->findChildren<QTranslator *>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
    // The card's tab labels as the tab bar shows them, after its first opening.
    QStringList tabLabels()
    {
        TestSupport::CardStores stores;
        const auto view = stores.card();
        TestSupport::setExpanded(true);
        QStringList labels;
        for (const char *name : { "Now", "Notes", "Timer", "Calc", "Clip", "AI", "Stats" }) {
            QQuickItem *tab = view->find(QStringLiteral("tab_") + QLatin1String(name));
            labels << (tab ? tab->property("label").toString() : QString());
        }
        // A text of QML's own, besides the model's.
        view->click(view->find(QStringLiteral("tab_Clip")));
        QQuickItem *capture = view->find(QStringLiteral("captureButton"));
        labels << (capture ? capture->property("text").toString() : QString());
        TestSupport::setExpanded(false);
        return labels;
    }

    const QStringList english { "Now", "Notes", "Timer", "Calc", "Clip", "AI", "Stats", "Capture" };

private Q_SLOTS:
    void cleanup() { removeTranslators(); }

    void theUsersLocaleTranslatesTheCard()
    {
        QVERIFY(Translations::install(qApp));
        QCOMPARE(tabLabels(),
            QStringList({ "Jetzt", "Notizen", "Timer", "Rechner", "Ablage", "KI", "System", "Übernehmen" }));
    }

    void englishWhereNoCatalogueServes_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QByteArray>("catalogue");
        QTest::newRow("unknown locale") << "xx_YY" << QByteArray();
        QTest::newRow("English before German") << "en" << QByteArray();
        QTest::newRow("missing catalogue") << "de_DE" << QByteArray();
        // Qt's catalogue signature, then no valid block.
        QTest::newRow("corrupt catalogue") << "de_DE"
                                           << QByteArray::fromHex("3cb86418caef9c95cd211cbf60a1bddd"
                                                                  "42ffffffff0000")
                + QByteArray("not a catalogue");
    }
    void englishWhereNoCatalogueServes()
    {
        QFETCH(QString, locale);
        QFETCH(QByteArray, catalogue);
        QTemporaryDir directory;
        if (!catalogue.isEmpty()) {
            QFile file(directory.filePath(QStringLiteral("brivane_de.qm")));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(catalogue);
        }
        const QString from = catalogue.isEmpty() && locale != QLatin1String("de_DE")
            ? Translations::defaultDirectory()
            : directory.path();
        QVERIFY(!Translations::install(qApp, QLocale(locale), from));
        QCOMPARE(tabLabels(), english);
    }
};

BRIVANE_TEST_MAIN(TestTranslations)
#include "tst_translations.moc"
