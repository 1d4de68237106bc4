// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestSupport.h"
#include "desk/NotesModel.h"
#include "desk/NotesStore.h"
#include "platform/KeyValueStore.h"

#include <QAbstractItemModelTester>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTimeZone>
#include <memory>

class TestNotesStore : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<KeyValueStore> m_prefs;

    QString path() const { return TestSupport::temporaryPreferencesPath(*m_dir); }
    // Writes everything to disk and reads it back, as a restart would.
    void restart()
    {
        m_prefs.reset();
        m_prefs = std::make_unique<KeyValueStore>(path());
    }
    static QByteArray upperId(const NotesStore::Note &note)
    {
        return note.id.toByteArray(QUuid::WithoutBraces).toUpper();
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_prefs = std::make_unique<KeyValueStore>(path());
    }
    void cleanup()
    {
        m_prefs.reset();
        m_dir.reset();
    }

    void writesTheCompactFormNewestFirst()
    {
        NotesStore store(*m_prefs);
        double clock = 786000000.5;
        store.setClock([&clock] { return clock; });
        store.add(QStringLiteral("first"));
        clock = 786000060.25;
        store.add(QStringLiteral("say \"hi\"\n\tto/all"));
        QCOMPARE(store.notes().at(0).text, QStringLiteral("say \"hi\"\n\tto/all"));
        QCOMPARE(store.notes().at(1).text, QStringLiteral("first"));

        const QByteArray expected = "[{\"id\":\"" + upperId(store.notes().at(0))
            + "\",\"text\":\"say \\\"hi\\\"\\n\\tto/all\",\"date\":786000060.25},{\"id\":\""
            + upperId(store.notes().at(1)) + "\",\"text\":\"first\",\"date\":786000000.5}]";
        QCOMPARE(m_prefs->data(NotesStore::key).value(), expected);
    }

    void encodingRoundTripsAwkwardTextsAndDates()
    {
        const QString loneHigh = QString(QChar(0xD800)) + QStringLiteral("x");
        const QList<NotesStore::Note> notes {
            { QUuid::createUuid(), QStringLiteral("\u0000\u001F\u2028 \\ / \" \U0001F469\u200D\U0001F4BB"),
                0.1 + 0.2 },
            { QUuid::createUuid(), loneHigh, -1e-300 },
            { QUuid::createUuid(), QStringLiteral("far"), 1e20 },
            { QUuid::createUuid(), QStringLiteral("pre-2001"), -123456789.987654321 },
        };
        const QByteArray bytes = NotesStore::encode(notes).value();
        QJsonParseError error;
        QVERIFY(QJsonDocument::fromJson(bytes, &error).isArray());
        QCOMPARE(error.error, QJsonParseError::NoError);
        QVERIFY(bytes.contains("\\u0000\\u001f"));
        QVERIFY(!bytes.contains("\\/"));
        QCOMPARE(NotesStore::decode(bytes).value(), notes);
        QCOMPARE(NotesStore::encode({}).value(), QByteArray("[]"));
        QVERIFY(!NotesStore::encode({ { QUuid::createUuid(), QStringLiteral("x"), qInf() } }));
        QVERIFY(!NotesStore::decode(
            "[{\"id\":\"7C9E6679-7425-40DE-944B-E07FC1F90AE7\",\"text\":\"x\",\"date\":1e400}]"));
    }

    void readerAcceptsAnyMemberOrderAndIdCase()
    {
        const QByteArray stored
            = "[ {\"date\": 10.5, \"text\": \"b\", \"id\": \"0f8fad5b-d9cb-469f-a165-70867728950e\"},\n"
              "  {\"text\":\"a\",\"id\":\"7C9E6679-7425-40DE-944B-E07FC1F90AE7\",\"date\":3,\"extra\":1} ]";
        m_prefs->setData(NotesStore::key, stored);
        NotesStore store(*m_prefs);
        QCOMPARE(store.count(), 2);
        QCOMPARE(store.notes().at(0).id,
            QUuid::fromString(QStringLiteral("0F8FAD5B-D9CB-469F-A165-70867728950E")));
        QCOMPARE(store.notes().at(0).date, 10.5);
        QCOMPARE(store.notes().at(1).text, QStringLiteral("a"));
        QCOMPARE(store.notes().at(1).date, 3.0);

        // Written back upper case, in the writer's member order.
        store.deleteNote(QStringLiteral("7c9e6679-7425-40de-944b-e07fc1f90ae7"));
        QCOMPARE(m_prefs->data(NotesStore::key).value(),
            QByteArray("[{\"id\":\"0F8FAD5B-D9CB-469F-A165-70867728950E\",\"text\":\"b\",\"date\":10.5}]"));
    }

    void unreadableValueStartsEmptyAndIsKeptAside_data()
    {
        QTest::addColumn<QByteArray>("stored");
        // One note with these members; the first is a good one.
        const auto note = [](const QByteArray &id, const QByteArray &rest = "\"text\":\"x\",\"date\":1") {
            return "{\"id\":" + id + "," + rest + "}";
        };
        const QByteArray good
            = note("\"7C9E6679-7425-40DE-944B-E07FC1F90AE7\"", "\"text\":\"kept\",\"date\":1");
        const QByteArray id = "\"7C9E6679-7425-40DE-944B-E07FC1F90AE8\"";
        QTest::newRow("not json") << QByteArray("[{\"id\":");
        QTest::newRow("object, not array") << good;
        QTest::newRow("element not an object") << "[" + good + ",3]";
        QTest::newRow("missing member") << "[" + good + "," + note(id, "\"text\":\"x\"") + "]";
        QTest::newRow("date as string") << "[" + note(id, "\"text\":\"x\",\"date\":\"1\"") + "]";
        QTest::newRow("text null") << "[" + note(id, "\"text\":null,\"date\":1") + "]";
        QTest::newRow("id number") << "[" + note("7") + "]";
        QTest::newRow("id in braces") << "[" + note("\"{7C9E6679-7425-40DE-944B-E07FC1F90AE7}\"") + "]";
        QTest::newRow("id not hex") << "[" + good + "," + note("\"7C9E6679-7425-40DE-944B-E07FC1F90AEG\"")
                + "]";
        QTest::newRow("id without hyphens") << "[" + note("\"7C9E6679742540DE944BE07FC1F90AE7\"") + "]";
        QTest::newRow("binary") << QByteArray("\xff\xfe\x00garbage", 10);
    }
    void unreadableValueStartsEmptyAndIsKeptAside()
    {
        QFETCH(QByteArray, stored);
        m_prefs->setData(NotesStore::key, stored);
        restart();
        {
            NotesStore store(*m_prefs);
            QCOMPARE(store.count(), 0);
        }
        // Untouched until the user changes something...
        restart();
        QCOMPARE(m_prefs->data(NotesStore::key).value(), stored);
        QVERIFY(!m_prefs->contains(NotesStore::unreadableKey));

        NotesStore store(*m_prefs);
        store.add(QStringLiteral("new"));
        // ...and then set aside, not lost.
        QCOMPARE(m_prefs->data(NotesStore::unreadableKey).value(), stored);
        QCOMPARE(NotesStore::decode(m_prefs->data(NotesStore::key).value())->size(), 1);
        store.add(QStringLiteral("newer"));
        QCOMPARE(m_prefs->data(NotesStore::unreadableKey).value(), stored);
    }

    void anEarlierCopySetAsideIsNotOverwritten()
    {
        m_prefs->setData(NotesStore::unreadableKey, "older rescue");
        m_prefs->setString(NotesStore::key, QStringLiteral("[\"a string, not a blob\"]"));
        NotesStore store(*m_prefs);
        QCOMPARE(store.count(), 0);
        store.add(QStringLiteral("x"));
        QCOMPARE(m_prefs->data(NotesStore::unreadableKey).value(), QByteArray("older rescue"));
        QCOMPARE(m_prefs->data(NotesStore::unreadableKey + "_2").value(),
            QByteArray("[\"a string, not a blob\"]"));
    }

    void deletingRemovesOnlyThatNoteAndAlwaysSaves()
    {
        NotesStore store(*m_prefs);
        store.add(QStringLiteral("a"));
        store.add(QStringLiteral("b"));
        store.add(QStringLiteral("c"));
        const auto ids = store.notes();
        QSignalSpy counts(&store, &NotesStore::countChanged);

        store.deleteNote(ids.at(1).id.toString(QUuid::WithoutBraces)); // lower case from QUuid
        QCOMPARE(store.count(), 2);
        QCOMPARE(store.notes().at(0).text, QStringLiteral("c"));
        QCOMPARE(store.notes().at(1).text, QStringLiteral("a"));
        QCOMPARE(counts.count(), 1);

        // An unknown or malformed id changes nothing but rewrites the same value.
        m_prefs->remove(NotesStore::key);
        store.deleteNote(QUuid::createUuid());
        store.deleteNote(QStringLiteral("not an id"));
        QCOMPARE(store.count(), 2);
        QCOMPARE(counts.count(), 1);
        QCOMPARE(m_prefs->data(NotesStore::key).value(), NotesStore::encode(store.notes()).value());
    }

    void inputIsTrimmedAndBlankInputRefused()
    {
        NotesStore store(*m_prefs);
        QVERIFY(!store.addFromInput(QStringLiteral("  \t\n \u00A0")));
        QVERIFY(!store.addFromInput(QString()));
        QCOMPARE(store.count(), 0);
        // Nothing is written until the first note.
        m_prefs->flush();
        QVERIFY(!QFile::exists(path()));
        // Plain spaces trimmed is the panel test's; marks are kept.
        QVERIFY(store.addFromInput(QStringLiteral("\u202Bright\u202C")));
        QCOMPARE(store.notes().at(0).text, QStringLiteral("\u202Bright\u202C"));
    }

    void datesOutOfRangeShowNothingInsteadOfOverflowing()
    {
        QCOMPARE(NotesStore::dateTimeFrom(0), QDateTime(QDate(2001, 1, 1), QTime(0, 0), QTimeZone::utc()));
        QCOMPARE(NotesStore::dateTimeFrom(-978307200.0), QDateTime::fromMSecsSinceEpoch(0, QTimeZone::utc()));
        for (const double bad : { 1e300, -1e300, qInf(), qQNaN() }) {
            QVERIFY(!NotesStore::dateTimeFrom(bad).isValid());
            QCOMPARE(NotesModel::timeText(bad), QString());
            QCOMPARE(NotesModel::dateText(bad), QString());
        }
        QVERIFY(!NotesModel::timeText(786000000).isEmpty());
    }

    void modelShowsTheNewestRowsAsBoundedTextAndFollowsChanges()
    {
        NotesStore store(*m_prefs);
        NotesModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setStore(&store);
        model.setLimit(8);
        for (int i = 1; i <= 9; ++i)
            store.add(QStringLiteral("note %1").arg(i));
        QCOMPARE(model.rowCount(), 8);
        QCOMPARE(model.count(), 8);
        // Which rows show, and that a deleted one brings in the next older, is
        // the panel test's; deleting down to fewer than the limit shrinks the rows.
        store.deleteNote(model.index(0).data(NotesModel::IdRole).toString());
        QCOMPARE(model.rowCount(), 8);
        store.deleteNote(store.notes().at(3).id);
        QCOMPARE(model.rowCount(), 7);

        NotesModel all;
        QAbstractItemModelTester allTester(&all, QAbstractItemModelTester::FailureReportingMode::QtTest);
        all.setStore(&store);
        QCOMPARE(all.rowCount(), 7);
        store.add(QStringLiteral("ten"));
        QCOMPARE(all.rowCount(), 8);
        QCOMPARE(all.index(0).data(NotesModel::IdRole).toString(),
            store.notes().at(0).id.toString(QUuid::WithoutBraces).toUpper());

        // The text shown is a bounded prefix; an emoji straddling the cut is not split in half.
        const QString huge
            = QString(all.previewLength() - 1, u'x') + QStringLiteral("\U0001F600") + QString(100000, u'y');
        store.add(huge);
        QCOMPARE(store.notes().at(0).text, huge);
        QCOMPARE(all.index(0).data(NotesModel::TextRole).toString(), QString(all.previewLength() - 1, u'x'));
    }
};

BRIVANE_TEST_MAIN(TestNotesStore)
#include "tst_notesstore.moc"
