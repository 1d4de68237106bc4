// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// Decoding of a streamed chat-completions body ("data: " lines of JSON
// chunks). Plain value types with no event loop, so the same code runs in the
// app, in the tests and under a fuzzer.

// Cuts a byte stream into lines on "\n" as the bytes arrive, dropping one
// trailing "\r". Lines are kept as bytes: a UTF-8 character split across two
// reads is whole again once its line is complete. A line that grows past
// kMaxLineBytes without a line end is dropped, not accumulated.
class ReplyLineSplitter
{
public:
    static constexpr qsizetype kMaxLineBytes = 1024 * 1024;

    // The lines completed by `bytes`, in order.
    QList<QByteArray> feed(QByteArrayView bytes);
    // The unterminated last line once the body has ended, if any.
    QList<QByteArray> finish();

    // Bytes currently held for the unfinished line (bounded by kMaxLineBytes).
    qsizetype pendingBytes() const { return m_partial.size(); }

private:
    QByteArray m_partial;
    bool m_discarding = false; // inside an over-long line, until its "\n"
};

// What one line of the body means.
struct ReplyLine
{
    enum Kind { Ignored, Done, Content };
    Kind kind = Ignored;
    QString content; // for Content only

    static ReplyLine parse(QByteArrayView line);
};

// The whole body: lines plus their meaning, stopping at "[DONE]".
class ReplyStreamDecoder
{
public:
    // Content fragments found in `bytes`, in order. After "[DONE]" the rest of
    // the body is ignored and isDone() is true.
    QList<QString> feed(QByteArrayView bytes);
    QList<QString> finish();
    bool isDone() const { return m_done; }

private:
    QList<QString> take(const QList<QByteArray> &lines);

    ReplyLineSplitter m_splitter;
    bool m_done = false;
};

// The "message" of the JSON "error" object in an error response body, or ""
// when the body is not such a document.
QString errorMessageFromBody(QByteArrayView body);

// The answer of a whole (not streamed) chat completion: the "content" of the
// first choice's "message", or "" when the body is not such a document.
QString completionFromBody(QByteArrayView body);
