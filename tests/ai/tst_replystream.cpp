// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestSupport.h"
#include "ai/ReplyStream.h"

namespace {

QList<QByteArray> splitInPieces(const QByteArray &body, qsizetype pieceSize)
{
    ReplyLineSplitter splitter;
    QList<QByteArray> lines;
    for (qsizetype at = 0; at < body.size(); at += pieceSize)
        lines += splitter.feed(QByteArrayView(body).sliced(at, std::min(pieceSize, body.size() - at)));
    lines += splitter.finish();
    return lines;
}

} // namespace

class TestReplyStream : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void linesDoNotDependOnHowTheBytesArrive()
    {
        const QByteArray body = "data: a\r\n\r\n: c\nda\xc3\xa9ta\r\r\n\nlast";
        const QList<QByteArray> expected { "data: a", "", ": c", "da\xc3\xa9ta\r", "", "last" };
        for (qsizetype piece : { 1, 2, 3, 7, 1000 })
            QCOMPARE(splitInPieces(body, piece), expected);
    }

    void anOverLongLineIsDroppedWithoutBeingKept()
    {
        const qsizetype limit = ReplyLineSplitter::kMaxLineBytes;
        ReplyLineSplitter splitter;
        QCOMPARE(splitter.feed("ok\n"), QList<QByteArray> { "ok" });
        // Five mebibytes without a line end, in 64 KiB pieces: never more than
        // the limit is held.
        const QByteArray piece(64 * 1024, 'x');
        for (int i = 0; i < 80; ++i) {
            QVERIFY(splitter.feed(piece).isEmpty());
            QVERIFY(splitter.pendingBytes() <= limit);
        }
        QCOMPARE(splitter.feed("tail\nnext\n"), QList<QByteArray> { "next" });

        // A line of exactly the limit is kept; one byte more is not.
        QCOMPARE(splitter.feed(QByteArray(limit, 'y') + "\n").value(0).size(), limit);
        QVERIFY(splitter.feed(QByteArray(limit + 1, 'z') + "\n").isEmpty());
        QVERIFY(splitter.feed(QByteArray(limit + 1, 'z')).isEmpty());
        QVERIFY(splitter.finish().isEmpty());
    }

    void linesAreClassified_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("content");
        const int content = ReplyLine::Content;
        const auto row = [](const char *name, const QByteArray &line, int kind = ReplyLine::Ignored,
                             const QString &text = {}) { QTest::newRow(name) << line << kind << text; };
        const auto delta = [](const QByteArray &text) {
            return "data: {\"choices\":[{\"delta\":{\"content\":\"" + text + "\"}}]}";
        };
        row("content", delta("Hi"), content, "Hi");
        row("empty content", delta(""), content);
        row("done", "data: [DONE]", ReplyLine::Done);
        row("done with a space", "data: [DONE] ");
        row("done without the space", "data:[DONE]");
        row("two spaces", "data:  {\"choices\":[{\"delta\":{\"content\":\"a\"}}]}", content, "a");
        row("event field", "event: message");
        row("no delta", "data: {\"choices\":[{\"finish_reason\":\"stop\"}]}");
        row("empty delta", "data: {\"choices\":[{\"delta\":{}}]}");
        row("choices not all objects", "data: {\"choices\":[{\"delta\":{\"content\":\"a\"}},2]}");
        row("truncated", delta("a").chopped(5));
        row("invalid UTF-8", delta("\xc3\x28"));
        row("NUL inside", delta("a") + QByteArray(1, '\0') + "tail");
    }
    void linesAreClassified()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, kind);
        QFETCH(QString, content);
        const ReplyLine parsed = ReplyLine::parse(line);
        QCOMPARE(int(parsed.kind), kind);
        QCOMPARE(parsed.content, content);
    }

    void theDecoderStopsAtDone()
    {
        ReplyStreamDecoder decoder;
        QCOMPARE(decoder.feed("data: {\"choices\":[{\"delta\":{\"content\":\"a\"}}]}\n\ndata: [DO"),
            QList<QString> { "a" });
        QVERIFY(!decoder.isDone());
        QVERIFY(decoder.feed("NE]\ndata: {\"choices\":[{\"delta\":{\"content\":\"b\"}}]}\n").isEmpty());
        QVERIFY(decoder.isDone());
        QVERIFY(decoder.feed("data: {\"choices\":[{\"delta\":{\"content\":\"c\"}}]}\n").isEmpty());
        QVERIFY(decoder.finish().isEmpty());
    }

    void errorBodiesGiveTheirMessage()
    {
        QCOMPARE(errorMessageFromBody("{\"error\":{\"message\":\"Bad key.\",\"code\":\"x\"}}"),
            QStringLiteral("Bad key."));
        QCOMPARE(errorMessageFromBody("{\"error\":\"flat\"}"), QString());
        QCOMPARE(errorMessageFromBody("{\"error\":{\"message\":7}}"), QString());
        QCOMPARE(errorMessageFromBody("<html>502</html>"), QString());
        QCOMPARE(errorMessageFromBody(""), QString());
    }
};

BRIVANE_TEST_MAIN(TestReplyStream)
#include "tst_replystream.moc"
