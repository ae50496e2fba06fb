#include "kit/RawStrings.h"
#include "kit/suggest/NamePrompt.h"
#include "kit/suggest/SecondOpinion.h"

#include <QSet>

#include <chrono>

using namespace Qt::StringLiterals;

namespace quorvane::SecondOpinion {

namespace {

using Clock = std::chrono::steady_clock;

qint64 millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

ModelAnswer answerFor(const Queue::Pair &pair, const NameModel::Result &result, qint64 latencyMs)
{
    ModelAnswer answer{pair.header, pair.text, {}, std::nullopt, latencyMs};
    if (const auto *names = std::get_if<QStringList>(&result))
        answer.names = *names;
    else
        answer.failure = NameModelFailure::rawString(std::get<NameModelFailure>(result).kind);
    return answer;
}

bool endsRun(const NameModel::Result &result)
{
    const auto *failure = std::get_if<NameModelFailure>(&result);
    return failure && failure->kind == NameModelFailure::Kind::unavailable;
}

} // namespace

const QList<ModelGate> &allModelGates()
{
    static const QList<ModelGate> gates{ModelGate::none, ModelGate::filters, ModelGate::tagger, ModelGate::context};
    return gates;
}

QString rawString(ModelGate gate)
{
    switch (gate) {
    case ModelGate::none: return u"none"_s;
    case ModelGate::filters: return u"filters"_s;
    case ModelGate::tagger: return u"tagger"_s;
    case ModelGate::context: return u"context"_s;
    }
    return u"context"_s;
}

std::optional<ModelGate> modelGateFromRaw(const QString &raw)
{
    return fromRawString(raw, allModelGates());
}

QString cellKey(const QString &header, const QString &text)
{
    return header + QChar(0x1F) + text;
}

Queue queue(const QList<Cell> &cells, int cap)
{
    Queue result;
    QSet<QString> seen;
    for (const Cell &cell : cells) {
        const QString key = cellKey(cell.header, cell.text);
        if (seen.contains(key))
            continue;
        seen.insert(key);
        if (result.pairs.size() < cap)
            result.pairs.append({cell.header, cell.text});
        else
            ++result.skipped;
    }
    return result;
}

int estimateSeconds(qsizetype cellCount)
{
    // 0.4 s a cell, rounded up, kept in whole numbers: ceil(n * 2 / 5).
    const qsizetype seconds = (cellCount * 2 + 4) / 5;
    return static_cast<int>(std::max<qsizetype>(1, seconds));
}

ModelRun ask(const NameModel &model, const QList<Cell> &cells, bool examples, int cap, std::stop_token stop,
             const std::function<void(const ModelAnswer &)> &onAnswer)
{
    const Queue queued = queue(cells, cap);
    const Clock::time_point runStart = Clock::now();
    ModelRun run;
    run.skipped = queued.skipped;
    for (const Queue::Pair &pair : queued.pairs) {
        if (stop.stop_requested())
            break;
        const Clock::time_point asked = Clock::now();
        const NameRequest request = NamePrompt::request(pair.header, pair.text, examples);
        const NameModel::Result result = model.names(request, stop);
        run.answers.append(answerFor(pair, result, millisecondsSince(asked)));
        if (onAnswer)
            onAnswer(run.answers.constLast());
        if (endsRun(result))
            break;
    }
    run.milliseconds = millisecondsSince(runStart);
    return run;
}

} // namespace quorvane::SecondOpinion
