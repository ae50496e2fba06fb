// The "suggest" command: names the rules may have missed, from the name
// tagger and, when a model server is given, from a language model.
#include "ai/LocalServerNameModel.h"
#include "cli/Command.h"
#include "cli/KeyFiles.h"
#include "cli/ProgressLine.h"
#include "cli/SpreadsheetFiles.h"
#include "kit/suggest/SecondOpinion.h"
#include "kit/suggest/SuggestionTexts.h"
#include "kit/swap/Scan.h"

using namespace Qt::StringLiterals;

namespace quorvane::cli {

namespace {

// "B2, B5", with the sheet's name in front when the file has several sheets.
QString cellList(const NameSuggestion &suggestion, const QStringList &sheets)
{
    const auto sheetPrefix = [&](int sheet) {
        return sheets.size() > 1 ? sheets.value(sheet, QString::number(sheet)) + u"!"_s : QString();
    };
    if (const std::optional<ColumnID> column = suggestion.target.columnID())
        return u"column "_s + sheetPrefix(column->sheet) + columnLetters(column->column);
    QStringList names;
    for (const CellRef &cell : suggestion.target.cellRefs())
        names.append(sheetPrefix(cell.sheet) + cell.displayName());
    return names.join(u", "_s);
}

void printSuggestions(QTextStream &out, const QList<NameSuggestion> &list, const QStringList &sheets,
                      const SuggestionTexts::Labels &labels, bool withModel)
{
    out << SuggestionTexts::sectionTitle(list.size()) << '\n';
    for (const NameSuggestion &suggestion : list) {
        out << "\n  " << oneLine(SuggestionTexts::rowLabel(suggestion, labels)) << '\n';
        if (suggestion.isColumn())
            out << "    " << oneLine(SuggestionTexts::columnRowTitle(suggestion)) << '\n';
        out << "    id: " << suggestion.id << '\n';
        out << "    cells: " << cellList(suggestion, sheets) << '\n';
        for (const QString &sample : suggestion.samples)
            out << "    “" << oneLine(sample) << "”\n";
    }
    out << '\n' << SuggestionTexts::footnote(labels, withModel) << '\n';
}

// Asks the model about every candidate cell; progress goes to stderr.
QList<NameSuggestion> modelSuggestions(const Invocation &invocation, const Spreadsheet &spreadsheet, const Scan &scan,
                                       const ScanOptions &options, const NameModel &model)
{
    QTextStream &err = invocation.err();
    const SecondOpinion::Queue queued = SecondOpinion::queue(spreadsheet, scan, options.headerRow);
    if (queued.pairs.isEmpty()) {
        err << "Nothing left for " << model.label() << " to read in this file.\n";
        return {};
    }
    err << "Asking " << model.label() << " about " << queued.pairs.size()
        << (queued.pairs.size() == 1 ? " cell" : " cells") << " (about "
        << SecondOpinion::estimateSeconds(queued.pairs.size()) << " s)…\n";
    err.flush();
    const SecondOpinion::ModelRun run = SecondOpinion::ask(model, spreadsheet, scan, options.headerRow);
    const qsizetype failed = std::count_if(run.answers.cbegin(), run.answers.cend(),
                                           [](const SecondOpinion::ModelAnswer &a) { return a.failure.has_value(); });
    err << "Asked " << run.answers.size() << " in " << run.milliseconds << " ms; " << failed
        << " could not be read; " << run.skipped << " left out.\n";
    if (!run.answers.isEmpty() && run.answers.constLast().failure == u"unavailable"_s)
        err << "The model could not be reached at " << invocation.value(u"model-url"_s) << ".\n";
    err.flush();
    return SecondOpinion::suggestions(run.answers, spreadsheet, scan, options);
}

std::optional<LocalModelSettings> modelSettings(const Invocation &invocation)
{
    if (!invocation.has(u"model-url"_s)) {
        if (invocation.has(u"model"_s))
            throw UsageError(u"--model needs --model-url"_s);
        return std::nullopt;
    }
    const LocalModelSettings settings{invocation.value(u"model-url"_s), invocation.value(u"model"_s),
                                      invocation.flag(u"allow-remote-model"_s)};
    QString whyNot;
    if (!settings.chatEndpoint(&whyNot))
        throw UsageError(u"--model-url: "_s + whyNot + u" (add --allow-remote-model to send cells there)"_s);
    return settings;
}

int suggestCommand(const Invocation &invocation)
{
    invocation.expectPositionals(1, 1, u"one input file"_s);
    const std::jthread searchesReady = preparingSearches();
    const std::optional<LocalModelSettings> settings = modelSettings(invocation);
    ProgressLine progress(invocation.err());
    progress.show(Progress::Stage::reading);
    const Spreadsheet spreadsheet = readSpreadsheet(invocation.positionals().first());
    progress.clear(); // the key may ask for its passphrase
    const ScanOptions options = scanOptions(invocation, spreadsheet);
    const OpenedKey opened = openKeyOption(invocation);
    const Scan result = scan(spreadsheet, opened.key, options, progress.report());
    progress.clear();

    SuggestionTexts::Labels labels;
    const QList<NameSuggestion> tagger = SecondOpinion::taggerSuggestions(spreadsheet, result, options);
    QList<NameSuggestion> model;
    if (settings) {
        const LocalServerNameModel server(*settings);
        labels.model = server.label();
        model = modelSuggestions(invocation, spreadsheet, result, options, server);
    }
    printSuggestions(invocation.out(), SecondOpinion::merge(tagger, model), spreadsheet.sheetNames(), labels,
                     settings.has_value());
    return 0;
}

} // namespace

QList<Command> suggestCommands()
{
    return {
        {{u"suggest"_s}, u"INPUT --key FILE [--model-url URL [--model NAME] [--allow-remote-model]] [scan options]"_s,
         u"list names the rules may have missed, from the name tagger and, with --model-url, a local language model"_s,
         scanOptionList() + QList<Option>{
             {u"model-url"_s, u"URL"_s, u"a chat-completions server on this computer, such as http://127.0.0.1:8080"_s},
             {u"model"_s, u"NAME"_s, u"the model the server should use"_s},
             {u"allow-remote-model"_s, {}, u"allow a model server on another computer"_s},
         },
         suggestCommand},
    };
}

} // namespace quorvane::cli
