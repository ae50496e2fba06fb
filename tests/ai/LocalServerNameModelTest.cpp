#include "ScriptedServer.h"

#include "ai/LocalServerNameModel.h"
#include "ai/UnavailableNameModel.h"
#include "kit/suggest/NamePrompt.h"
#include "kit/suggest/SecondOpinion.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>

using namespace Qt::StringLiterals;
using namespace quorvane;
using Kind = NameModelFailure::Kind;

namespace {

LocalServerNameModel modelAt(const QString &address)
{
    return LocalServerNameModel(LocalModelSettings{address, u"test-model"_s, false});
}

NameModel::Result askOnce(const ScriptedServer &server, double timeoutSeconds = 5.0)
{
    NameRequest request = NamePrompt::request(u"Notes"_s, u"met Ana Ruiz"_s, true);
    request.timeoutSeconds = timeoutSeconds;
    return modelAt(server.address()).names(request);
}

QStringList namesOf(const NameModel::Result &result)
{
    const auto *names = std::get_if<QStringList>(&result);
    return names ? *names : QStringList{u"<failure: "_s + std::get<NameModelFailure>(result).message + u">"_s};
}

NameModelFailure failureOf(const NameModel::Result &result)
{
    const auto *failure = std::get_if<NameModelFailure>(&result);
    return failure ? *failure : NameModelFailure{Kind::error, u"<names, not a failure>"_s};
}

QList<SecondOpinion::Cell> distinctCells(int count)
{
    QList<SecondOpinion::Cell> cells;
    for (int row = 0; row < count; ++row)
        cells.append({CellRef{0, row, 0}, u"Notes"_s, u"call back, case "_s + QString::number(row), {}});
    return cells;
}

qint64 msSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

TEST(LocalServerNameModel, SendsOneSelfContainedChatRequestAndReadsTheNames)
{
    ScriptedServer server([](const auto &, int) {
        return ScriptedServer::completion(u"{\"names\":[\"Ana Ruiz\",\"ana\"]}"_s);
    });
    EXPECT_EQ(namesOf(askOnce(server)), (QStringList{u"Ana Ruiz"_s, u"ana"_s}));

    ASSERT_EQ(server.requests().size(), 1);
    const ScriptedServer::Request sent = server.requests().first();
    EXPECT_EQ(sent.method + ' ' + sent.path, "POST /v1/chat/completions");
    const QJsonObject body = sent.json();
    EXPECT_EQ(body[u"model"_s].toString(), u"test-model"_s);
    const QJsonArray messages = body[u"messages"_s].toArray();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages[0][u"content"_s].toString().startsWith(NamePrompt::instructions + u"\n\nExamples:"_s));
    EXPECT_EQ(messages[1][u"content"_s].toString(), u"Column: Notes\nCell: met Ana Ruiz"_s);
    EXPECT_EQ(body[u"temperature"_s].toDouble(-1), 0.0);
    const QJsonObject schema = body[u"response_format"_s][u"json_schema"_s][u"schema"_s].toObject();
    EXPECT_EQ(schema[u"required"_s].toArray(), QJsonArray{u"names"_s});
    EXPECT_EQ(schema[u"properties"_s][u"names"_s][u"maxItems"_s].toInt(), 8);
}

TEST(LocalServerNameModel, ReadsOnlyAnObjectsNamesArrayOfStrings)
{
    const QList<std::pair<QString, QStringList>> cases{
        {u"{\"names\":\"Ana Ruiz\"}"_s, {}},                               // a string, not an array
        {u"{\"names\":[\"Ana\",3,null,\"Bo\",{}]}"_s, {u"Ana"_s, u"Bo"_s}}, // numbers and others are skipped
        {u"{\"people\":[\"Ana\"]}"_s, {}},                                 // no "names"
        {u"{\"names\":[\" Ana \",\"Ana\"]}"_s, {u" Ana "_s, u"Ana"_s}},     // kept as written
        {u"[\"Ana\"]"_s, {}}, {QString(200, u'x'), {}},                     // no JSON object: failures below
    };
    ScriptedServer server([&](const auto &, int index) { return ScriptedServer::completion(cases.at(index).first); });
    for (qsizetype i = 0; i < 4; ++i)
        EXPECT_EQ(namesOf(askOnce(server)), cases.at(i).second) << cases.at(i).first.toStdString();

    for (const QString &message : QStringList{u"not JSON: [\"Ana\"]"_s, u"not JSON: "_s + QString(160, u'x')}) {
        const NameModelFailure failure = failureOf(askOnce(server));
        EXPECT_EQ(std::pair(failure.kind, failure.message), std::pair(Kind::decoding, message));
    }
}

TEST(LocalServerNameModel, MapsServerErrorsToFailureKinds)
{
    const QList<std::pair<ScriptedServer::Reply, Kind>> cases{
        {{429, R"({"error":{"message":"slow down","type":"rate_limit"}})", 0}, Kind::rateLimited},
        {{400, R"({"error":{"code":400,"message":"the request exceeds the available context size","type":"exceed_context_size_error"}})", 0}, Kind::context},
        {{400, R"({"error":"input length exceeds context length"})", 0}, Kind::context},
        {{404, R"({"error":{"message":"model 'test-model' not found"}})", 0}, Kind::unavailable},
        {{500, "oops", 0}, Kind::error},
        {ScriptedServer::Reply{200, R"({"choices":[{"message":{"content":null,"refusal":"I can't help"}}]})", 0}, Kind::refusal},
        {{200, "<html>", 0}, Kind::decoding},
    };
    ScriptedServer server([&](const auto &, int index) { return cases.at(index).first; });
    for (const auto &[reply, kind] : cases) {
        const NameModelFailure failure = failureOf(askOnce(server));
        EXPECT_EQ(failure.kind, kind) << reply.body.toStdString() << " gave " << failure.message.toStdString();
    }
}

TEST(LocalServerNameModel, GivesUpOnASlowAnswerAtTheTimeout)
{
    ScriptedServer server([](const auto &, int) {
        ScriptedServer::Reply reply = ScriptedServer::completion(u"{\"names\":[\"Ana\"]}"_s);
        reply.delayMs = 5000;
        return reply;
    });
    const auto start = std::chrono::steady_clock::now();
    const NameModelFailure failure = failureOf(askOnce(server, 0.3));
    EXPECT_EQ(std::pair(failure.kind, failure.message), std::pair(Kind::timeout, u"no answer in 0 s"_s));
    EXPECT_LT(msSince(start), 4000) << "waited for the server";
    EXPECT_EQ(NameModelFailure::timeout(20.9).message, u"no answer in 20 s"_s);
}

TEST(LocalServerNameModel, NoServerIsUnavailableAndEndsTheRun)
{
    const QString address = u"http://127.0.0.1:"_s + QString::number(ScriptedServer::closedPort());
    const LocalServerNameModel model = modelAt(address);
    EXPECT_FALSE(LocalServerNameModel::isAvailable(model.settings()));
    const UnavailableNameModel unset;
    for (const NameModel *unavailable : std::initializer_list<const NameModel *>{&model, &unset}) {
        const SecondOpinion::ModelRun run = SecondOpinion::ask(*unavailable, distinctCells(5));
        ASSERT_EQ(run.answers.size(), 1);
        EXPECT_EQ(run.answers.first().failure, u"unavailable"_s);
    }
}

TEST(LocalServerNameModel, CancellingDuringARequestEndsItAndAsksNoFurtherCell)
{
    std::stop_source stop;
    ScriptedServer server([&](const auto &, int index) {
        ScriptedServer::Reply reply = ScriptedServer::completion(u"{\"names\":[]}"_s);
        if (index == 2) {
            stop.request_stop();
            reply.delayMs = 5000;
        }
        return reply;
    });
    const auto start = std::chrono::steady_clock::now();
    const SecondOpinion::ModelRun run =
        SecondOpinion::ask(modelAt(server.address()), distinctCells(10), true, 200, stop.get_token());
    EXPECT_LT(msSince(start), 4000) << "waited for the server";
    EXPECT_EQ(server.requests().size(), 3);
    ASSERT_EQ(run.answers.size(), 3);
    EXPECT_EQ(run.answers[1].failure, std::nullopt);
    EXPECT_EQ(run.answers[2].failure, u"error"_s);
}

TEST(LocalServerNameModel, ProbesTheServerWithoutBlocking)
{
    ScriptedServer server([](const auto &, int) { return ScriptedServer::Reply{200, R"({"data":[]})", 0}; });
    const LocalModelSettings settings{server.address(), {}, false};
    EXPECT_TRUE(LocalServerNameModel::isAvailable(settings));

    QObject context;
    QEventLoop loop;
    std::optional<bool> answer;
    LocalServerNameModel::checkAvailability(settings, &context, [&](bool available) {
        answer = available;
        loop.quit();
    });
    EXPECT_FALSE(answer.has_value()) << "answered before returning";
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_EQ(answer, true);
    ASSERT_FALSE(server.requests().isEmpty());
    EXPECT_EQ(server.requests().last().path, "/v1/models");
}

TEST(LocalModelSettings, AcceptsOnlyThisComputerUnlessAllowed)
{
    const auto at = [](const QString &address) { return LocalModelSettings{address, {}, false}; };
    const QString chat = u"http://127.0.0.1:8080/v1/chat/completions"_s;
    for (const QString &address : {u"http://127.0.0.1:8080"_s, u"http://127.0.0.1:8080/"_s,
                                   u"http://127.0.0.1:8080/v1"_s, chat}) {
        EXPECT_EQ(at(address).chatEndpoint(), QUrl(chat)) << address.toStdString();
    }
    EXPECT_TRUE(at(u"http://[::1]:1234"_s).chatEndpoint());
    EXPECT_FALSE(at(u"ftp://127.0.0.1/"_s).chatEndpoint());

    // 192.0.2.0/24 is reserved for documentation; nothing is ever sent there.
    const LocalModelSettings remote{u"http://192.0.2.7:8080"_s, u"m"_s, false};
    QString why;
    EXPECT_FALSE(remote.chatEndpoint(&why));
    EXPECT_TRUE(why.contains(u"not on this computer"_s));
    EXPECT_TRUE((LocalModelSettings{remote.address, remote.model, true}.chatEndpoint()));
}
