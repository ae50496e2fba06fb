#pragma once

#include "kit/CellRef.h"
#include "kit/TextRange.h"
#include "kit/suggest/NameModel.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <stop_token>

namespace quorvane {

// A second look at the free-text cells a scan left uncovered: which cells are
// worth it, asking a language model about them one at a time, and turning
// what it says into name suggestions.
namespace SecondOpinion {

struct Defaults
{
    static constexpr int maxCells = 200;
    static constexpr bool examples = true;
    static constexpr double secondsPerCell = 0.4;
};

// How strictly a name the model returned is checked before it is suggested,
// from no check at all to a look at the name in its own sentence.
enum class ModelGate { none, filters, tagger, context };
const QList<ModelGate> &allModelGates();
QString rawString(ModelGate gate);
std::optional<ModelGate> modelGateFromRaw(const QString &raw);
constexpr ModelGate defaultGate = ModelGate::context;

// A cell worth a second look.
struct Cell
{
    CellRef ref;
    QString header;            // "" when the column has none
    QString text;              // as in the grid, untrimmed
    QList<TextRange> covered;  // what the scan already replaces here
    friend bool operator==(const Cell &, const Cell &) = default;
};

struct ModelAnswer
{
    QString header;
    QString text;
    QStringList names;              // as the model wrote them; empty on failure
    std::optional<QString> failure; // the failure kind's raw value
    qint64 latencyMs = 0;
    friend bool operator==(const ModelAnswer &, const ModelAnswer &) = default;
};

struct ModelRun
{
    QList<ModelAnswer> answers;
    int skipped = 0;
    qint64 milliseconds = 0;
};

// The distinct (header, text) pairs a run asks about, and how many distinct
// pairs the cap left out.
struct Queue
{
    struct Pair
    {
        QString header;
        QString text;
        friend bool operator==(const Pair &, const Pair &) = default;
    };
    QList<Pair> pairs;
    int skipped = 0;
};

// Cells with the same header and text are asked once; this is their key.
QString cellKey(const QString &header, const QString &text);

Queue queue(const QList<Cell> &cells, int cap = Defaults::maxCells);

// Whole seconds shown as a run's expected length: at least 1.
int estimateSeconds(qsizetype cellCount);

// Asks the model about each queued pair in turn, never two at once. The run
// ends early when the model is unavailable or `stop` is requested; a request
// under way when the stop comes is left to the model, which ends it.
// `onAnswer` sees every answer as it arrives, on the calling thread.
ModelRun ask(const NameModel &model, const QList<Cell> &cells, bool examples = Defaults::examples,
             int cap = Defaults::maxCells, std::stop_token stop = {},
             const std::function<void(const ModelAnswer &)> &onAnswer = {});

} // namespace SecondOpinion
} // namespace quorvane
