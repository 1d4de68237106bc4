// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FakeClipboard.h"
#include "TestSupport.h"
#include "desk/ClipboardModel.h"
#include "desk/ClipboardStore.h"
#include "platform/KeyValueStore.h"

#include <QAbstractItemModelTester>
#include <QTemporaryDir>
#include <memory>

class TestClipboardStore : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<KeyValueStore> m_prefs;
    FakeClipboard m_clip;

    QString path() const { return TestSupport::temporaryPreferencesPath(*m_dir); }
    void copy(const QString &text) { m_clip.content = text; }
    void captureAll(ClipboardStore &store, const QStringList &texts)
    {
        for (const QString &text : texts) {
            copy(text);
            store.capture();
        }
    }
    static QStringList numbered(int from, int to)
    {
        QStringList out;
        for (int i = from; i <= to; ++i)
            out.append(QStringLiteral("item %1").arg(i));
        return out;
    }
    static QStringList reversed(QStringList list)
    {
        std::reverse(list.begin(), list.end());
        return list;
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_prefs = std::make_unique<KeyValueStore>(path());
        m_clip = FakeClipboard();
    }
    void cleanup()
    {
        m_prefs.reset();
        m_dir.reset();
    }

    void onlyTheFirstEntryIsComparedWhenCapturing()
    {
        ClipboardStore store(*m_prefs, m_clip);
        captureAll(store, { "A", "A" });
        QCOMPARE(store.items(), QStringList({ "A" }));
        captureAll(store, { "B", "A" });
        QCOMPARE(store.items(), QStringList({ "A", "B", "A" }));
        QCOMPARE(m_prefs->stringArray(ClipboardStore::key).value(), store.items());
    }

    void nothingToCaptureChangesNothing()
    {
        ClipboardStore store(*m_prefs, m_clip);
        QSignalSpy counts(&store, &ClipboardStore::countChanged);
        m_clip.content.reset(); // an image, files or nothing
        store.capture();
        copy(QString());
        store.capture();
        QCOMPARE(store.count(), 0);
        QCOMPARE(counts.count(), 0);
        QVERIFY(!m_prefs->contains(ClipboardStore::key));
    }

    void aLongerStoredListLoadsWholeAndKeepsItsLength()
    {
        m_prefs->setStringArray(ClipboardStore::key, reversed(numbered(1, 25)));
        ClipboardStore store(*m_prefs, m_clip);
        QCOMPARE(store.count(), 25);
        captureAll(store, { "new 1", "new 2" });
        QCOMPARE(store.count(), 25);
        QCOMPARE(store.items().mid(0, 3), QStringList({ "new 2", "new 1", "item 25" }));
        QCOMPARE(store.items().last(), QStringLiteral("item 3"));
    }

    void pasteLeavesTheListAndCaptureAddsASecondCopy()
    {
        ClipboardStore store(*m_prefs, m_clip);
        captureAll(store, { "A", "B", "C" });
        store.pasteAt(2);
        QCOMPARE(m_clip.content.value(), QStringLiteral("A"));
        QCOMPARE(store.items(), QStringList({ "C", "B", "A" }));
        store.capture();
        QCOMPARE(store.items(), QStringList({ "A", "C", "B", "A" }));

        store.paste(QStringLiteral("elsewhere"));
        QCOMPARE(m_clip.content.value(), QStringLiteral("elsewhere"));
        const int writes = m_clip.writes;
        store.pasteAt(-1);
        store.pasteAt(4);
        QCOMPARE(m_clip.writes, writes);
    }

    void deleteByIndexIgnoresIndicesOutsideTheList()
    {
        ClipboardStore store(*m_prefs, m_clip);
        captureAll(store, { "A", "B", "C" });
        store.deleteAt(1);
        QCOMPARE(store.items(), QStringList({ "C", "A" }));
        QCOMPARE(m_prefs->stringArray(ClipboardStore::key).value(), store.items());

        m_prefs->remove(ClipboardStore::key);
        store.deleteAt(-1);
        store.deleteAt(2);
        QCOMPARE(store.items(), QStringList({ "C", "A" }));
        QVERIFY(!m_prefs->contains(ClipboardStore::key)); // nothing written
    }

    void modelShowsTenRowsOfBoundedPreviews()
    {
        ClipboardStore store(*m_prefs, m_clip);
        ClipboardModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setStore(&store);
        model.setLimit(10);
        // Past the cap, the twenty newest are kept; the view shows ten.
        captureAll(store, numbered(1, 25));
        QCOMPARE(store.items(), reversed(numbered(6, 25)));
        QCOMPARE(m_prefs->stringArray(ClipboardStore::key).value(), store.items());
        QCOMPARE(model.rowCount(), 10);
        QCOMPARE(model.index(0).data(ClipboardModel::PreviewRole).toString(), QStringLiteral("item 25"));

        const QString huge = QString(5 * 1024 * 1024, u'q');
        copy(huge);
        store.capture();
        QCOMPARE(store.items().first().size(), huge.size());
        QCOMPARE(model.index(0).data(ClipboardModel::PreviewRole).toString().size(),
            qsizetype(ClipboardModel::previewLength));

        while (store.count() > 0)
            store.deleteAt(store.count() - 1);
        QCOMPARE(model.rowCount(), 0);
    }
};

BRIVANE_TEST_MAIN(TestClipboardStore)
#include "tst_clipboardstore.moc"
