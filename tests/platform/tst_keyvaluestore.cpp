// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestSupport.h"
#include "platform/KeyValueStore.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QTemporaryDir>
#include <sys/stat.h>

class TestKeyValueStore : public QObject
{
    Q_OBJECT

private:
    static QByteArray readFile(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void writeFile(const QString &path, const QByteArray &bytes)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

private Q_SLOTS:
    void valuesSurviveARestartWithTheirTypes()
    {
        QTemporaryDir dir;
        const QString path = TestSupport::temporaryPreferencesPath(dir);
        const QByteArray blob("\x00\x01\xff[{\"id\":1}]", 14);
        const QString tricky
            = QStringLiteral("a, \"quoted\"\nline two \u00e9\u4e2d\U0001F600 <b>x</b> \u0000\u0007");
        {
            KeyValueStore store(path);
            store.setData("blob", blob);
            store.setString("text", tricky);
            store.setString("empty", QString());
            store.setStringArray("one", { QStringLiteral("only, one") });
            store.setStringArray("many", { QStringLiteral("a"), tricky, QString() });
            store.setStringArray("none", {});
        }
        KeyValueStore reread(path);
        QCOMPARE(reread.data("blob"), std::optional<QByteArray>(blob));
        QCOMPARE(reread.string("text"), std::optional<QString>(tricky));
        QCOMPARE(reread.string("empty"), std::optional<QString>(QString()));
        // A one-element array stays an array, never collapses to a string.
        QCOMPARE(reread.stringArray("one"),
            std::optional<QStringList>(QStringList { QStringLiteral("only, one") }));
        QVERIFY(!reread.string("one").has_value());
        QCOMPARE(reread.stringArray("many")->size(), 3);
        QCOMPARE(reread.stringArray("many")->at(1), tricky);
        QCOMPARE(reread.stringArray("none"), std::optional<QStringList>(QStringList {}));
    }

    void wrongOrMissingTypesReadAsNone()
    {
        QTemporaryDir dir;
        KeyValueStore store(TestSupport::temporaryPreferencesPath(dir));
        store.setString("s", QStringLiteral("aGVsbG8="));
        store.setStringArray("a", { QStringLiteral("x") });
        store.setData("d", "bytes");
        QVERIFY(!store.data("s"));
        QVERIFY(!store.stringArray("s"));
        QVERIFY(!store.string("a"));
        QVERIFY(!store.data("a"));
        QVERIFY(!store.string("d"));
        QVERIFY(!store.string("missing"));
        store.remove("s");
        QVERIFY(!store.contains("s"));

        // Hand-edited values of the wrong shape are none, not a crash.
        const QString path = dir.filePath(QStringLiteral("hand.json"));
        writeFile(path, "{\"a\":[\"x\",1],\"d\":{\"base64\":\"***\"},\"n\":5,\"o\":{\"base64\":7}}");
        KeyValueStore hand(path);
        QVERIFY(!hand.stringArray("a"));
        QVERIFY(!hand.data("d"));
        QVERIFY(!hand.string("n"));
        QVERIFY(!hand.data("o"));

        // Values of other shapes are written back as they were.
        hand.setString("new", QStringLiteral("v"));
        hand.flush();
        const auto written = KeyValueStore::parse(readFile(path));
        QVERIFY(written);
        QCOMPARE(written->value("n").toInt(), 5);
        QCOMPARE(written->value("a").toArray().size(), 2);
        QCOMPARE(written->value("o").toObject().value("base64").toInt(), 7);
    }

    void fileIsPrivateAndWrittenAtomically()
    {
        QTemporaryDir dir;
        const QString path = TestSupport::temporaryPreferencesPath(dir);
        KeyValueStore store(path);
        for (int i = 0; i < 200; ++i)
            store.setString("key", QString::number(i));
        store.flush();
        struct stat info = {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &info), 0);
        QCOMPARE(info.st_mode & 07777, mode_t(0600));
        QCOMPARE(KeyValueStore(path).string("key"), std::optional<QString>(QStringLiteral("199")));
        // No temporary files are left behind.
        QCOMPARE(QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files).size(), 1);
    }

    void corruptFilesReadAsEmptyAndAreKeptAside_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::newRow("truncated") << QByteArray("{\"brivane_notes\":{\"base64\":\"W3sia");
        QTest::newRow("garbage") << QByteArray("\x89PNG\r\n\x1a\n\x00\x00 not json at all", 26);
        QTest::newRow("array not object") << QByteArray("[\"brivane_clip\"]");
        QTest::newRow("empty file") << QByteArray();
    }
    void corruptFilesReadAsEmptyAndAreKeptAside()
    {
        QFETCH(QByteArray, contents);
        QTemporaryDir dir;
        const QString path = TestSupport::temporaryPreferencesPath(dir);
        writeFile(path, contents);
        {
            KeyValueStore store(path);
            QVERIFY(!store.contains("brivane_notes"));
            QVERIFY(!store.contains("brivane_clip"));
        }
        // Reading alone destroys nothing.
        QCOMPARE(readFile(path), contents);

        KeyValueStore store(path);
        store.setString("brivane_openai_key", QStringLiteral("k"));
        store.flush();
        QVERIFY(!store.movedAsidePath().isEmpty());
        QCOMPARE(readFile(store.movedAsidePath()), contents);
        QCOMPARE(
            KeyValueStore(path).string("brivane_openai_key"), std::optional<QString>(QStringLiteral("k")));

        // Only the first write moves the old file aside.
        store.setString("brivane_openai_key", QStringLiteral("k2"));
        store.flush();
        QCOMPARE(QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files).size(), 2);
    }

    void unwritableLocationReportsAndKeepsValuesInMemory()
    {
        QTemporaryDir dir;
        const QString blocker = dir.filePath(QStringLiteral("file"));
        writeFile(blocker, "x");
        // The parent "directory" is a plain file: nothing can be written.
        KeyValueStore store(blocker + QStringLiteral("/brivane/preferences.json"));
        QSignalSpy failed(&store, &KeyValueStore::writeFailed);
        store.setString("k", QStringLiteral("v"));
        store.flush();
        QTRY_COMPARE(failed.size(), 1);
        QCOMPARE(store.string("k"), std::optional<QString>(QStringLiteral("v")));
    }
};

BRIVANE_TEST_MAIN(TestKeyValueStore)
#include "tst_keyvaluestore.moc"
