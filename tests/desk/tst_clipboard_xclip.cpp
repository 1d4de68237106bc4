// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestSupport.h"
#include "desk/ClipboardStore.h"
#include "platform/KeyValueStore.h"

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtQuickTest/quicktest.h>

using TestSupport::ViewHost;

// The clipboard panel on a real X server: the clipboard is set and read from
// outside with xclip while the panel captures and copies back. Run inside
// tests/integration/with-session.sh on the X11 platform.
class TestClipboardXclip : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<KeyValueStore> m_prefs;
    std::unique_ptr<ClipboardStore> m_store;
    std::unique_ptr<ViewHost> m_view;

    // Runs xclip with an argument list while this process keeps serving its
    // own clipboard (the event loop spins while waiting).
    static bool xclip(const QStringList &args, const QByteArray &input = {}, QByteArray *output = nullptr)
    {
        QProcess process;
        if (!output)
            process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        QSignalSpy finished(&process, &QProcess::finished);
        process.start(QStringLiteral("xclip"), args);
        if (!process.waitForStarted(5000))
            return false;
        process.write(input);
        process.closeWriteChannel();
        if (!finished.wait(15000)) {
            process.kill();
            process.waitForFinished(2000);
            return false;
        }
        if (output)
            *output = process.readAllStandardOutput();
        return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    }
    static QByteArray clipboardFromOutside()
    {
        QByteArray out;
        if (!xclip({ "-selection", "clipboard", "-o" }, {}, &out))
            return QByteArray("<xclip -o failed>");
        return out;
    }
    // Copies the text in another program and waits until the X server hands it out.
    static bool copyElsewhere(const QByteArray &utf8)
    {
        // xclip stays in the background to serve the selection.
        return xclip({ "-selection", "clipboard", "-i" }, utf8)
            && QTest::qWaitFor([&] { return clipboardFromOutside() == utf8; }, 15000);
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs the X11 platform (QT_QPA_PLATFORM=xcb inside with-session.sh)");
        QVERIFY2(!QStandardPaths::findExecutable("xclip").isEmpty(), "xclip is not installed");
        m_prefs = std::make_unique<KeyValueStore>(TestSupport::temporaryPreferencesPath(m_dir));
        m_store = std::make_unique<ClipboardStore>(*m_prefs);
        m_view = std::make_unique<ViewHost>(QStringLiteral("ClipboardPanel"),
            QVariantMap { { "clipboard", QVariant::fromValue(m_store.get()) } });
        QVERIFY(m_view->root());
    }

    void captureTakesTextCopiedElsewhere()
    {
        const QString first
            = QStringLiteral("h\u00E9llo \u2713 <b>x</b>\nsecond line \u05E9\u05DC\u05D5\u05DD");
        QVERIFY(copyElsewhere(first.toUtf8()));
        m_view->click("captureButton");
        QCOMPARE(m_store->items(), QStringList({ first }));
        QTRY_COMPARE(m_view->find("clipText_0")->property("text").toString(), first);

        QVERIFY(copyElsewhere("second entry"));
        m_view->click("captureButton");
        QCOMPARE(m_store->items(), QStringList({ "second entry", first }));
    }

    void copyBackIsWhatOtherProgramsPaste()
    {
        QCOMPARE(m_store->count(), 2);
        m_view->click("clipCopy_1");
        QTRY_COMPARE_WITH_TIMEOUT(QString::fromUtf8(clipboardFromOutside()), m_store->items().at(1), 10000);
        QCOMPARE(m_store->count(), 2); // copying back does not reorder
        // Our own clipboard captured again goes to the front as a second copy.
        m_view->click("captureButton");
        QCOMPARE(m_store->count(), 3);
        QCOMPARE(m_store->items().at(0), m_store->items().at(2));
    }

    void aLargeEntryArrivesWhole()
    {
        // Big enough that X transfers it in pieces.
        QByteArray big;
        for (int i = 0; big.size() < 1024 * 1024; ++i)
            big += "line " + QByteArray::number(i) + " of a large paste\n";
        QVERIFY(copyElsewhere(big));
        m_view->click("captureButton");
        QCOMPARE(m_store->items().at(0).toUtf8(), big);
        // Its row shows a bounded preview in two lines.
        QVERIFY(QQuickTest::qWaitForPolish(m_view->window()));
        QVERIFY(m_view->find("clipText_0")->property("text").toString().size() < 1000);
        QCOMPARE(m_view->find("clipText_0")->property("lineCount").toInt(), 2);
        m_view->click("clipCopy_0");
        QTRY_COMPARE_WITH_TIMEOUT(clipboardFromOutside().size(), big.size(), 15000);
    }

    void anImageOnTheClipboardIsNotCaptured()
    {
        const QString png = m_dir.filePath(QStringLiteral("red.png"));
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(png));
        QVERIFY(xclip({ "-selection", "clipboard", "-t", "image/png", "-i", png }));
        QTRY_VERIFY_WITH_TIMEOUT(
            [] {
                QByteArray targets;
                return xclip({ "-selection", "clipboard", "-o", "-t", "TARGETS" }, {}, &targets)
                    && targets.contains("image/png");
            }(),
            10000);
        const QStringList before = m_store->items();
        m_view->click("captureButton");
        QCOMPARE(m_store->items(), before);
    }
};

BRIVANE_TEST_MAIN(TestClipboardXclip)
#include "tst_clipboard_xclip.moc"
