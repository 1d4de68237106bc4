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
        const int ignored = ReplyLine::Ignored;
        const int content = ReplyLine::Content;
        QTest::newRow("content") << QByteArray("data: {\"choices\":[{\"delta\":{\"content\":\"Hi\"}}]}")
                                 << content << "Hi";
        QTest::newRow("empty content")
            << QByteArray("data: {\"choices\":[{\"delta\":{\"content\":\"\"}}]}") << content << "";
        QTest::newRow("done") << QByteArray("data: [DONE]") << int(ReplyLine::Done) << "";
        QTest::newRow("done with a space") << QByteArray("data: [DONE] ") << ignored << "";
        QTest::newRow("done without the space") << QByteArray("data:[DONE]") << ignored << "";
        QTest::newRow("two spaces") << QByteArray("data:  {\"choices\":[{\"delta\":{\"content\":\"a\"}}]}")
                                    << content << "a";
        QTest::newRow("event field") << QByteArray("event: message") << ignored << "";
        QTest::newRow("no delta") << QByteArray("data: {\"choices\":[{\"finish_reason\":\"stop\"}]}")
                                  << ignored << "";
        QTest::newRow("empty delta") << QByteArray("data: {\"choices\":[{\"delta\":{}}]}") << ignored << "";
        QTest::newRow("choices not all objects")
            << QByteArray("data: {\"choices\":[{\"delta\":{\"content\":\"a\"}},2]}") << ignored << "";
        QTest::newRow("truncated") << QByteArray("data: {\"choices\":[{\"delta\":{\"content\":\"a") << ignored
                                   << "";
        QTest::newRow("invalid UTF-8")
            << QByteArray("data: {\"choices\":[{\"delta\":{\"content\":\"\xc3\x28\"}}]}") << ignored << "";
        QTest::newRow("NUL inside") << (QByteArray("data: {\"choices\":[{\"delta\":{\"content\":\"a\"}}]}")
            + QByteArray(1, '\0') + "tail")
                                    << ignored << "";
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
