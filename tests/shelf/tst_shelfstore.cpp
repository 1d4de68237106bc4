// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestSupport.h"
#include "shelf/ShelfModel.h"
#include "shelf/ShelfStore.h"

#include <QAbstractItemModelTester>
#include <QFile>
#include <QMimeData>

class TestShelfStore : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<KeyValueStore> m_prefs;

    QString file(const QString &name) const
    {
        const QString path = m_dir->filePath(name);
        QFile out(path);
        if (!QFile::exists(path) && out.open(QIODevice::WriteOnly))
            out.write("content");
        return path;
    }
    static QStringList names(const ShelfStore &store)
    {
        QStringList out;
        for (const auto &entry : store.entries())
            out.append(entry.name);
        return out;
    }
    QList<QUrl> urls(const QStringList &templates) const
    {
        QList<QUrl> out;
        for (const QString &t : templates)
            out.append(t.contains(':') ? QUrl(t.contains("%1") ? t.arg(m_dir->path()) : t)
                                       : QUrl::fromLocalFile(file(t)));
        return out;
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_prefs = std::make_unique<KeyValueStore>(TestSupport::temporaryPreferencesPath(*m_dir));
    }

    void dropsTakeLocalFilesOnly_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("dropped"); // file names, or URLs (%1 is the folder)
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<bool>("notice");
        QTest::newRow("files go on top in the order dropped")
            << QStringList { "c" } << QStringList { "a", "b" } << "" << QStringList { "a", "b", "c" }
            << false;
        QTest::newRow("dropped again moves up, no duplicates")
            << QStringList { "a", "b" } << QStringList { "b", "file://%1/./b", "file://%1//b" } << ""
            << QStringList { "b", "a" } << false;
        QTest::newRow("localhost is this computer")
            << QStringList {} << QStringList { "file://localhost%1/a" } << "" << QStringList { "a" } << false;
        QTest::newRow("web link") << QStringList { "a" } << QStringList { "https://example.org/a.pdf" } << ""
                                  << QStringList { "a" } << true;
        QTest::newRow("another machine's file")
            << QStringList {} << QStringList { "file://otherhost%1/a" } << "" << QStringList {} << true;
        QTest::newRow("not a path") << QStringList {}
                                    << QStringList { "file:", "file:relative", "file://%1/a%00" } << ""
                                    << QStringList {} << true;
        QTest::newRow("files and links") << QStringList {} << QStringList { "a", "ftp://example.org/b" } << ""
                                         << QStringList { "a" } << true;
        QTest::newRow("text") << QStringList { "a" } << QStringList {} << "file:///etc/passwd"
                              << QStringList { "a" } << true;
    }
    void dropsTakeLocalFilesOnly()
    {
        QFETCH(QStringList, before);
        QFETCH(QStringList, dropped);
        QFETCH(QString, text);
        QFETCH(QStringList, after);
        QFETCH(bool, notice);
        ShelfStore store(*m_prefs);
        store.add(urls(before));
        QSignalSpy counts(&store, &ShelfStore::countChanged);
        QMimeData data;
        data.setUrls(urls(dropped));
        if (!text.isEmpty())
            data.setText(text);
        QVERIFY(ShelfStore::wants(&data));
        store.setDragOver(true);
        QVERIFY(store.shown());
        store.drop(&data);
        QVERIFY(!store.dragOver());
        QCOMPARE(names(store), after);
        QCOMPARE(counts.count(), before.size() == after.size() ? 0 : 1);
        QCOMPARE(!store.notice().isEmpty(), notice);
        // A notice keeps the tab until the card closes.
        QCOMPARE(store.shown(), !after.isEmpty() || notice);
        store.setCardOpen(false);
        QCOMPARE(store.notice(), QString());
    }

    void theShelfKeepsTheNewestFifty()
    {
        ShelfStore store(*m_prefs);
        QStringList many;
        for (int i = 0; i < ShelfStore::cap + 10; ++i)
            many.append(QStringLiteral("f%1").arg(i));
        // All at once, the first fifty dropped stay; one more, the oldest goes.
        QCOMPARE(store.add(urls(many)), ShelfStore::cap);
        store.add(urls({ "f55" }));
        QCOMPARE(store.count(), ShelfStore::cap);
        QCOMPARE(names(store).constFirst(), "f55");
        QCOMPARE(names(store).constLast(), "f48");
    }

    void keptAcrossRestartsAndMissingFilesShow()
    {
        {
            ShelfStore store(*m_prefs);
            store.add(urls({ "gone", "kept.pdf" }));
        }
        QVERIFY(QFile::remove(m_dir->filePath("gone")));
        // What the file holds is as untrusted as a drop.
        QStringList stored = m_prefs->stringArray(ShelfStore::key).value_or(QStringList());
        stored << "https://example.org/x"
               << "not a uri" << stored.constFirst();
        m_prefs->setStringArray(ShelfStore::key, stored);
        m_prefs->flush();

        KeyValueStore reread(m_prefs->filePath());
        ShelfStore store(reread);
        ShelfModel model;
        QAbstractItemModelTester tester(&model);
        model.setStore(&store);
        QCOMPARE(model.rowCount(), 2);
        const auto at = [&](int row, int role) { return model.data(model.index(row), role); };
        QCOMPARE(at(0, ShelfModel::NameRole).toString(), "gone");
        QCOMPARE(at(0, ShelfModel::MissingRole).toBool(), true);
        QCOMPARE(at(0, ShelfModel::DetailRole).toString(), "Missing");
        QCOMPARE(at(1, ShelfModel::MissingRole).toBool(), false);
        QCOMPARE(at(1, ShelfModel::DetailRole).toString(), "7 bytes");
        QCOMPARE(at(1, ShelfModel::IconRole).toString(), "image://shelficon/application/pdf");

        // Back again, it is found when the card next opens.
        file("gone");
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        store.setCardOpen(true);
        QTRY_COMPARE(changed.count(), 1);
        QCOMPARE(at(0, ShelfModel::MissingRole).toBool(), false);
        store.removeAt(0);
        QCOMPARE(reread.stringArray(ShelfStore::key)->size(), 1);
    }
};

BRIVANE_TEST_MAIN(TestShelfStore)
#include "tst_shelfstore.moc"
