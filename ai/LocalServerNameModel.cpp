#include "ai/LocalServerNameModel.h"

#include "ai/NamesAnswer.h"
#include "kit/suggest/Characters.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <cmath>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

using Kind = NameModelFailure::Kind;

// What came back from one blocking HTTP exchange.
struct Exchange
{
    enum class Outcome { replied, timedOut, cancelled };
    Outcome outcome = Outcome::replied;
    int status = 0; // 0 when no HTTP response arrived
    QNetworkReply::NetworkError error = QNetworkReply::NoError;
    QString errorString;
    QByteArray body;
};

QNetworkRequest jsonRequest(const QUrl &url)
{
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, u"application/json"_s);
    request.setRawHeader("Accept", "application/json");
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    return request;
}

// Runs one request on this thread's own event loop until the reply, the
// timer or a stop request, whichever comes first. A local manager keeps the
// call free of shared state, so any thread may make it.
Exchange exchange(const QNetworkRequest &request, const std::optional<QByteArray> &postBody, int timeoutMs,
                  std::stop_token stop)
{
    Exchange result;
    if (stop.stop_requested()) {
        result.outcome = Exchange::Outcome::cancelled;
        return result;
    }
    QNetworkAccessManager manager;
    // Cells must not wander through a proxy on their way to this machine.
    manager.setProxy(QNetworkProxy::NoProxy);
    QNetworkReply *reply = postBody ? manager.post(request, *postBody) : manager.get(request);

    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    // A reply that is already in wins over a timer or stop that fires with it.
    const auto endWith = [&](Exchange::Outcome outcome) {
        if (!reply->isFinished())
            result.outcome = outcome;
        loop.quit();
    };
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] { endWith(Exchange::Outcome::timedOut); });
    // Declared after the loop so that it is gone before the loop is; the stop
    // may come from any thread, so it only posts to this one.
    const std::stop_callback onStop(stop, [&loop, &endWith] {
        QMetaObject::invokeMethod(&loop, [&endWith] { endWith(Exchange::Outcome::cancelled); }, Qt::QueuedConnection);
    });
    timer.start(timeoutMs);
    if (!reply->isFinished())
        loop.exec();

    if (result.outcome != Exchange::Outcome::replied) {
        reply->abort();
        return result;
    }
    result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    result.error = reply->error();
    result.errorString = reply->errorString();
    result.body = reply->readAll();
    return result;
}

int milliseconds(double seconds)
{
    if (!std::isfinite(seconds) || seconds <= 0)
        return 0;
    return static_cast<int>(std::min(seconds * 1000.0, 24.0 * 3600 * 1000));
}

bool meansNoServer(QNetworkReply::NetworkError error)
{
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::RemoteHostClosedError:
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::TimeoutError:
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::UnknownNetworkError:
        return true;
    default:
        return false;
    }
}

// The server's own words about an error: OpenAI-style {"error": {"message"}},
// {"error": "..."} or {"message": "..."}; else the start of the body.
QString errorMessage(const QByteArray &body)
{
    const QJsonObject object = QJsonDocument::fromJson(body).object();
    const QJsonValue error = object.value(u"error"_s);
    if (error.isObject()) {
        const QJsonObject details = error.toObject();
        const QString message = details.value(u"message"_s).toString();
        const QString type = details.value(u"type"_s).toString();
        const QString code = details.value(u"code"_s).toVariant().toString();
        return QStringList{message, type, code}.join(u' ').simplified();
    }
    if (error.isString())
        return error.toString();
    if (object.value(u"message"_s).isString())
        return object.value(u"message"_s).toString();
    return firstCharacters(QString::fromUtf8(body), 160);
}

bool meansContextOverflow(const QString &message)
{
    const QString lower = message.toLower();
    if (lower.contains(u"context_length_exceeded"_s) || lower.contains(u"exceed_context_size"_s))
        return true;
    if (!lower.contains(u"context"_s))
        return false;
    for (const auto &word : {u"exceed", u"length", u"size", u"window", u"overflow", u"too long", u"too many"}) {
        if (lower.contains(QStringView(word)))
            return true;
    }
    return false;
}

NameModel::Result failureForStatus(int status, const QByteArray &body)
{
    const QString message = errorMessage(body);
    const QString described = u"HTTP "_s + QString::number(status) + (message.isEmpty() ? QString() : u": "_s + message);
    if (status == 429)
        return NameModelFailure{Kind::rateLimited, described};
    if (meansContextOverflow(message))
        return NameModelFailure{Kind::context, described};
    // No such model, or the server is still loading it: asking again won't help.
    if (status == 404 || status == 503)
        return NameModelFailure{Kind::unavailable, described};
    return NameModelFailure{Kind::error, described};
}

NameModel::Result namesFromCompletion(const QByteArray &body)
{
    const QJsonDocument document = QJsonDocument::fromJson(body);
    const QJsonArray choices = document.object().value(u"choices"_s).toArray();
    if (choices.isEmpty())
        return NameModelFailure{Kind::decoding, u"no choices in: "_s + firstCharacters(QString::fromUtf8(body), 160)};
    const QJsonObject message = choices.first().toObject().value(u"message"_s).toObject();
    const QString refusal = message.value(u"refusal"_s).toString();
    if (!refusal.isEmpty())
        return NameModelFailure{Kind::refusal, refusal};
    const QJsonValue content = message.value(u"content"_s);
    if (!content.isString())
        return NameModelFailure{Kind::decoding, u"no content in the reply"_s};
    return NamesAnswer::parse(content.toString());
}

NameModel::Result resultOf(const Exchange &reply, const NameRequest &request)
{
    switch (reply.outcome) {
    case Exchange::Outcome::timedOut:
        return NameModelFailure::timeout(request.timeoutSeconds);
    case Exchange::Outcome::cancelled:
        return NameModelFailure{Kind::error, u"cancelled"_s};
    case Exchange::Outcome::replied:
        break;
    }
    if (reply.status == 0) {
        const Kind kind = meansNoServer(reply.error) ? Kind::unavailable : Kind::error;
        return NameModelFailure{kind, reply.errorString};
    }
    if (reply.status < 200 || reply.status > 299)
        return failureForStatus(reply.status, reply.body);
    return namesFromCompletion(reply.body);
}

} // namespace

LocalServerNameModel::LocalServerNameModel(LocalModelSettings settings) : m_settings(std::move(settings)) {}

QString LocalServerNameModel::label() const
{
    return u"the local language model"_s;
}

QJsonObject LocalServerNameModel::requestBody(const NameRequest &request, const QString &model)
{
    const QJsonArray messages{
        QJsonObject{{u"role"_s, u"system"_s}, {u"content"_s, request.instructions}},
        QJsonObject{{u"role"_s, u"user"_s}, {u"content"_s, request.prompt}},
    };
    const QJsonObject format{
        {u"type"_s, u"json_schema"_s},
        {u"json_schema"_s, QJsonObject{{u"name"_s, u"Answer"_s},
                                        {u"strict"_s, true},
                                        {u"schema"_s, NamesAnswer::schema(request.maxNames)}}},
    };
    // Greedy decoding: always the likeliest token, so the same cell gets the same answer.
    return QJsonObject{
        {u"model"_s, model},
        {u"messages"_s, messages},
        {u"response_format"_s, format},
        {u"temperature"_s, 0},
        {u"top_k"_s, 1},
        {u"max_tokens"_s, request.maxTokens},
        {u"stream"_s, false},
    };
}

NameModel::Result LocalServerNameModel::names(const NameRequest &request, std::stop_token stop) const
{
    QString whyNot;
    const std::optional<QUrl> endpoint = m_settings.chatEndpoint(&whyNot);
    if (!endpoint)
        return NameModelFailure{Kind::unavailable, whyNot};
    const QByteArray body = QJsonDocument(requestBody(request, m_settings.model)).toJson(QJsonDocument::Compact);
    const Exchange reply = exchange(jsonRequest(*endpoint), body, milliseconds(request.timeoutSeconds), stop);
    return resultOf(reply, request);
}

bool LocalServerNameModel::isAvailable(const LocalModelSettings &settings, int waitMs, std::stop_token stop)
{
    const std::optional<QUrl> endpoint = settings.modelsEndpoint();
    if (!endpoint)
        return false;
    const Exchange reply = exchange(jsonRequest(*endpoint), std::nullopt, waitMs, stop);
    return reply.outcome == Exchange::Outcome::replied && reply.status >= 200 && reply.status <= 299;
}

void LocalServerNameModel::checkAvailability(const LocalModelSettings &settings, QObject *context,
                                             std::function<void(bool)> done, int waitMs)
{
    const std::optional<QUrl> endpoint = settings.modelsEndpoint();
    if (!endpoint) {
        QTimer::singleShot(0, context, [done = std::move(done)] { done(false); });
        return;
    }
    // Parented to the context, so the probe dies with whoever asked.
    auto *manager = new QNetworkAccessManager(context);
    manager->setProxy(QNetworkProxy::NoProxy);
    QNetworkRequest request = jsonRequest(*endpoint);
    request.setTransferTimeout(waitMs);
    QNetworkReply *reply = manager->get(request);
    QObject::connect(reply, &QNetworkReply::finished, context, [reply, manager, done = std::move(done)] {
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        manager->deleteLater();
        done(reply->error() == QNetworkReply::NoError && status >= 200 && status <= 299);
    });
}

} // namespace quorvane
