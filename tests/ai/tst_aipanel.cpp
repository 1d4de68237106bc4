// SPDX-FileCopyrightText: 2026 Brivane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestSupport.h"
#include "ai/AIStore.h"
#include "platform/HttpStreamClient.h"
#include "platform/KeyValueStore.h"

#include <QPointer>
#include <QTemporaryDir>

using TestSupport::ViewHost;

namespace {

// Hands out streams that the test drives by emitting their signals.
class FakeClient : public HttpStreamClient
{
public:
    HttpStream *start(const HttpRequest &request, QObject *parent) override
    {
        auto *stream = new HttpStream(parent);
        streams.append(stream);
        requests.append(request);
        return stream;
    }
    void reply(qsizetype i, const QString &text)
    {
        HttpStream *stream = streams.at(i);
        Q_EMIT stream->responseStarted(200, QStringLiteral("OK"));
        const QByteArray escaped = QString(text).replace("\n", "\\n").toUtf8();
        Q_EMIT stream->bytesArrived(
            "data: {\"choices\":[{\"delta\":{\"content\":\"" + escaped + "\"}}]}\n\n");
    }
    void end(qsizetype i)
    {
        if (HttpStream *stream = streams.at(i))
            Q_EMIT stream->finished(true, {});
    }

    QList<QPointer<HttpStream>> streams;
    QList<HttpRequest> requests;
};

} // namespace

class TestAIPanel : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<KeyValueStore> m_prefs;
    FakeClient m_client;
    std::unique_ptr<AIStore> m_ai;

    std::unique_ptr<ViewHost> makePanel()
    {
        return std::make_unique<ViewHost>(
            QStringLiteral("AIPanel"), QVariantMap { { "ai", QVariant::fromValue(m_ai.get()) } });
    }
    static QQuickItem *bubble(const ViewHost &view, int row)
    {
        return view.find(QStringLiteral("bubble_%1").arg(row));
    }
    void ask(const ViewHost &view, const QString &text)
    {
        QQuickItem *field = view.find("questionField");
        view.click(field);
        QTRY_VERIFY(field->hasActiveFocus());
        view.type(text);
        QTest::keyClick(view.window(), Qt::Key_Return);
    }

private Q_SLOTS:
    void init()
    {
        qunsetenv("OPENAI_API_KEY");
        m_client.streams.clear();
        m_client.requests.clear();
        m_prefs = std::make_unique<KeyValueStore>(TestSupport::temporaryPreferencesPath(m_dir));
        m_prefs->setString(AIStore::kKeyPreference, QStringLiteral("sk-test"));
        for (const QString &key : { AIStore::kBaseUrlPreference, AIStore::kModelPreference })
            m_prefs->remove(key);
        AIStore::Connection connection;
        connection.client = &m_client;
        m_ai = std::make_unique<AIStore>(*m_prefs, connection);
    }

    void theKeyNoticeStandsInForTheConversation()
    {
        auto view = makePanel();
        QQuickItem *notice = view->find("keyNotice");
        QQuickItem *list = view->find("conversationList");
        QVERIFY(notice && list);
        QCOMPARE(notice->isVisible(), false);
        // The greeting is the store's, not drawn.
        QCOMPARE(list->property("count").toInt(), 0);
        QCOMPARE(view->find("busyLine")->isVisible(), false);
        m_ai->send(QStringLiteral("hi"));

        m_ai->setApiKey(QString());
        QCOMPARE(notice->isVisible(), true);
        QCOMPARE(list->isVisible(), false);

        m_ai->setApiKey(QStringLiteral("sk-new"));
        QCOMPARE(notice->isVisible(), false);
        QCOMPARE(list->isVisible(), true);
        QCOMPARE(list->property("count").toInt(), 2);

        // A local server needs no key: the chat stays.
        m_ai->setApiKey(QString());
        m_ai->editBaseUrl(QStringLiteral("http://localhost:11434/v1"));
        QCOMPARE(notice->isVisible(), false);
        QCOMPARE(list->isVisible(), true);
    }

    void returnAndTheButtonAskTheTrimmedQuestion()
    {
        auto view = makePanel();
        QQuickItem *field = view->find("questionField");
        ask(*view, QStringLiteral("   "));
        QCOMPARE(m_ai->messages()->size(), 1);
        QCOMPARE(field->property("text").toString(), QStringLiteral("   "));

        field->setProperty("text", QString());
        ask(*view, QStringLiteral("  hi  "));
        QCOMPARE(m_ai->messages()->size(), 3);
        QCOMPARE(m_ai->messages()->at(1).text, QStringLiteral("hi"));
        QCOMPARE(field->property("text").toString(), QString());

        // Asking again while busy is allowed and starts a second request.
        field->setProperty("text", QStringLiteral(" again\n"));
        view->click(view->find("sendButton"));
        QCOMPARE(m_ai->messages()->size(), 5);
        QCOMPARE(m_ai->messages()->at(3).text, QStringLiteral("again"));
        QCOMPARE(m_client.requests.size(), 2);
    }

    void theBusyLineShowsWhileAReplyIsRead()
    {
        auto view = makePanel();
        QQuickItem *busy = view->find("busyLine");
        m_ai->send(QStringLiteral("hi"));
        QCOMPARE(busy->isVisible(), true);
        // The user bubble and the empty reply bubble.
        QTRY_VERIFY(bubble(*view, 0) && bubble(*view, 1));
        m_client.reply(0, QStringLiteral("Hello"));
        m_client.end(0);
        QCOMPARE(busy->isVisible(), false);
        QCOMPARE(TestSupport::findItem(bubble(*view, 1), "bubbleText")->property("text").toString(),
            QStringLiteral("Hello"));

        // Stop ends the reply being read; what came stays in its bubble.
        m_ai->send(QStringLiteral("more"));
        m_client.reply(1, QStringLiteral("Half"));
        QQuickItem *stop = view->find("stopButton");
        QVERIFY(stop && stop->isVisible());
        view->click(stop);
        QCOMPARE(busy->isVisible(), false);
        QTRY_VERIFY(!m_client.streams.at(1));
        QTRY_VERIFY(bubble(*view, 3));
        QCOMPARE(TestSupport::findItem(bubble(*view, 3), "bubbleText")->property("text").toString(),
            QStringLiteral("Half"));
    }

    void repliesAreShownAsPlainTextOfAtMostEightLines()
    {
        auto view = makePanel();
        m_ai->send(QStringLiteral("short"));
        m_client.reply(0, QStringLiteral("<b>one</b>"));
        m_ai->send(QStringLiteral("eight"));
        m_client.reply(1, QStringLiteral("1\n2\n3\n4\n5\n6\n7\n8"));
        m_ai->send(QStringLiteral("twenty"));
        QStringList lines;
        for (int i = 1; i <= 20; ++i)
            lines << QString::number(i);
        m_client.reply(2, lines.join('\n'));

        QTRY_VERIFY(bubble(*view, 5));
        QQuickItem *one = TestSupport::findItem(bubble(*view, 1), "bubbleText");
        QQuickItem *eight = TestSupport::findItem(bubble(*view, 3), "bubbleText");
        QQuickItem *twenty = TestSupport::findItem(bubble(*view, 5), "bubbleText");
        QCOMPARE(one->property("text").toString(), QStringLiteral("<b>one</b>"));
        QCOMPARE(one->property("textFormat").toInt(), 0); // plain text
        QCOMPARE(one->property("lineCount").toInt(), 1);
        QVERIFY(eight->height() > 6 * one->height());
        QCOMPARE(twenty->height(), eight->height());
        QVERIFY(twenty->property("contentHeight").toReal() > 2 * twenty->height());
    }

    void aNewMessageScrollsTheListToTheBottom()
    {
        auto view = makePanel();
        QQuickItem *list = view->find("conversationList");
        QVERIFY(list);
        for (int i = 0; i < 6; ++i) {
            m_ai->send(QStringLiteral("question %1").arg(i));
            m_client.reply(
                i, QStringLiteral("a fairly long answer that wraps over more than one line in the bubble"));
        }
        m_ai->send(QStringLiteral("last question"));
        QTRY_VERIFY(list->property("contentHeight").toReal() > list->height());
        QQuickItem *last = bubble(*view, 13);
        QVERIFY(last);
        QTRY_VERIFY(qAbs(last->mapToItem(list, QPointF(0, last->height())).y() - list->height()) < 1.0);
        QVERIFY(list->property("atYEnd").toBool());

        // A growing reply does not move the list.
        const qreal y = list->property("contentY").toReal();
        m_client.reply(6, QStringLiteral("a reply that grows\nover\nseveral\nlines"));
        QCOMPARE(list->property("contentY").toReal(), y);
    }

    // Typing into the fields is the settings-window check's; here, that the
    // group hides the key, shows the store's verdict on an address and offers
    // the new server's models.
    void theSettingsGroupFollowsTheStore()
    {
        ViewHost view(QStringLiteral("SettingsKeyGroup"), { { "ai", QVariant::fromValue(m_ai.get()) } },
            QSize(360, 400));
        QQuickItem *key = view.find("apiKeyField");
        QQuickItem *problem = view.find("serverAddressProblem");
        QQuickItem *caption = view.find("keyCaption");
        QQuickItem *model = view.find("modelField");
        QVERIFY(key && problem && caption && model);
        QCOMPARE(key->property("echoMode").toInt(), 2); // TextInput.Password
        // What a screen reader names the field (a password field still, from
        // its echo mode), and its heading.
        const auto keyNames = [&] {
            return QStringList { QAccessible::queryAccessibleInterface(key)->text(QAccessible::Name),
                view.find("keyHeading")->property("text").toString() };
        };
        QCOMPARE(keyNames(), QStringList({ "OpenAI API Key", "OpenAI API Key" }));
        QVERIFY(QAccessible::queryAccessibleInterface(key)->state().passwordEdit);
        m_ai->setApiKey(QStringLiteral("sk-other"));
        QCOMPARE(key->property("text").toString(), QStringLiteral("sk-other"));
        QVERIFY(caption->isVisible());

        m_ai->editBaseUrl(QStringLiteral("https://me:pw@llm.example.org/v1"));
        QVERIFY(problem->isVisible());
        QCOMPARE(problem->property("text").toString(), m_ai->addressProblem());
        m_ai->editBaseUrl(QStringLiteral("http://localhost:11434/v1/"));
        QVERIFY(!problem->isVisible());
        QVERIFY(!caption->isVisible()); // a local server needs no key
        QCOMPARE(keyNames(), QStringList({ "API key", "API key" }));
        QCOMPARE(key->property("text").toString(), QString()); // nor gets the other's
        QCOMPARE(view.find("serverAddressField")->property("text").toString(),
            QStringLiteral("http://localhost:11434/v1"));

        HttpStream *listing = m_client.streams.last();
        QCOMPARE(m_client.requests.last().url.toString(), QStringLiteral("http://localhost:11434/v1/models"));
        Q_EMIT listing->responseStarted(200, QStringLiteral("OK"));
        Q_EMIT listing->bytesArrived("{\"data\":[{\"id\":\"llama3.2:1b\"},{\"id\":\"gpt-4o-mini\"}]}");
        Q_EMIT listing->finished(true, {});
        QCOMPARE(model->property("count").toInt(), 2);
        QCOMPARE(model->property("editText").toString(), QStringLiteral("gpt-4o-mini"));
        view.click(view.find("rememberConversation"));
        QCOMPARE(m_ai->rememberConversation(), true);
    }
};

BRIVANE_TEST_MAIN(TestAIPanel)
#include "tst_aipanel.moc"
