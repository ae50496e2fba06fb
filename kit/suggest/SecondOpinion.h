#pragma once

#include "kit/CellRef.h"
#include "kit/TextRange.h"
#include "kit/files/Spreadsheet.h"
#include "kit/suggest/NameModel.h"
#include "kit/suggest/NameSuggestion.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <stop_token>

namespace quorvane {

class LexicalTagger;
class NameTagger;
class TextServices;
struct Scan;
struct ScanOptions;

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

// The name tagger and word-class tagger of one task; never shared between tasks.
struct Taggers
{
    explicit Taggers(const TextServices &services);
    ~Taggers();
    std::unique_ptr<NameTagger> names;
    std::unique_ptr<LexicalTagger> lexical;
};

// A name found at `span` in a candidate cell's text.
struct Found
{
    Cell cell;
    TextRange span;
};

// At most this many cells are tagged in one pass.
constexpr qsizetype maxTaggedCells = 5000;

// The free-text cells worth a second look, in sheet, row, column order:
// editable, in a column scanned as `auto` whose header names no company,
// product or place, not blank, and with a word the scan does not replace.
QList<Cell> cells(const Spreadsheet &spreadsheet, const Scan &scan, bool headerRow);

// The names the tagger finds in one text, as UTF-16 spans of it.
QList<TextRange> tagNames(const QString &text, Taggers &taggers);

// Whether the word-class tagger takes the word for an adjective, verb or adverb.
bool isEverydayWord(const QString &word, LexicalTagger &lexical);

// The tagger's suggestions for the cells the scan left uncovered.
QList<NameSuggestion> taggerSuggestions(const Spreadsheet &spreadsheet, const Scan &scan,
                                        const ScanOptions &options, const TextServices &services);
QList<NameSuggestion> taggerSuggestions(const Spreadsheet &spreadsheet, const Scan &scan,
                                        const ScanOptions &options);

// Column suggestions first, then one suggestion per name, in the order found.
QList<NameSuggestion> build(const QList<Found> &found, const Spreadsheet &spreadsheet, const Scan &scan,
                            const ScanOptions &options, NameSuggestion::Source source);

// The tagger's list, then the model's suggestions for names and columns the
// tagger did not already suggest.
QList<NameSuggestion> merge(const QList<NameSuggestion> &tagger, const QList<NameSuggestion> &model);
// What the user sees: the merged list without the suggestions dismissed.
QList<NameSuggestion> shown(const QList<NameSuggestion> &tagger, const QList<NameSuggestion> &model,
                            const QSet<QString> &dismissed);

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
Queue queue(const Spreadsheet &spreadsheet, const Scan &scan, bool headerRow, int cap = Defaults::maxCells);

// Whole seconds shown as a run's expected length: at least 1.
int estimateSeconds(qsizetype cellCount);

// Asks the model about each queued pair in turn, never two at once. The run
// ends early when the model is unavailable or `stop` is requested; a request
// under way when the stop comes is left to the model, which ends it.
// `onAnswer` sees every answer as it arrives, on the calling thread.
ModelRun ask(const NameModel &model, const QList<Cell> &cells, bool examples = Defaults::examples,
             int cap = Defaults::maxCells, std::stop_token stop = {},
             const std::function<void(const ModelAnswer &)> &onAnswer = {});
ModelRun ask(const NameModel &model, const Spreadsheet &spreadsheet, const Scan &scan, bool headerRow,
             bool examples = Defaults::examples, int cap = Defaults::maxCells, std::stop_token stop = {},
             const std::function<void(const ModelAnswer &)> &onAnswer = {});

// Where a name the model returned stands in the cell: every whole,
// case-insensitive occurrence outside the covered spans, trimmed of non-name
// words. Nothing for a name with a digit, a symbol, 5 or more words, or no
// word that could be a name.
QList<TextRange> locate(const QString &name, const Cell &cell);

// Whether a located span is name enough to be suggested.
bool passesGate(ModelGate gate, const Cell &cell, TextRange span, Taggers &taggers);

// The model's answers as suggestions against the current scan; answers whose
// cell no longer exists, or changed, give nothing.
QList<NameSuggestion> suggestions(const QList<ModelAnswer> &answers, const Spreadsheet &spreadsheet,
                                  const Scan &scan, const ScanOptions &options, ModelGate gate,
                                  const TextServices &services);
QList<NameSuggestion> suggestions(const QList<ModelAnswer> &answers, const Spreadsheet &spreadsheet,
                                  const Scan &scan, const ScanOptions &options,
                                  ModelGate gate = defaultGate);

} // namespace SecondOpinion
} // namespace quorvane
