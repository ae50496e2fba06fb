#include "app/SwapSession.h"

#include "ai/OnDeviceNames.h"
#include "app/AppModel.h"
#include "app/Background.h"
#include "app/Clipboard.h"
#include "app/CopyName.h"
#include "app/ModelChoice.h"
#include "app/Panels.h"
#include "app/SheetFile.h"
#include "app/SwapTexts.h"
#include "store/AtomicFile.h"
#include "kit/swap/Scrubber.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace quorvane {

struct SwapSession::Swapped
{
    ProjectKey key;
    Scrubber::Result result;
};

namespace {

struct Loaded
{
    Spreadsheet file;
    Grid grid;
};

struct Scanned
{
    Scan scan;
    QList<NameSuggestion> tagger;
    QList<NameSuggestion> model;
    SecondOpinion::Queue queue;
};

} // namespace

SwapSession::SwapSession(AppModel &model, QObject *parent) : QObject(parent), m_model(model)
{
    // One model request at a time, and never in the way of a scan.
    m_modelPool.setMaxThreadCount(1);
    connect(&m_model, &AppModel::problemChanged, this, [this] {
        if (!m_model.problem())
            clearError();
    });
}

SwapSession::~SwapSession()
{
    m_modelStop.request_stop();
    m_modelPool.waitForDone();
    m_pool.waitForDone();
}

void SwapSession::setModelChoice(ModelChoice &choice)
{
    m_choice = &choice;
    connect(&choice, &ModelChoice::changed, this, &SwapSession::refreshModel);
    refreshModel();
}

void SwapSession::refreshModel()
{
    if (!m_choice)
        return;
    m_nameModel = m_choice->model();
    m_modelAvailable = false;
    Q_EMIT changed();
    const std::shared_ptr<const NameModel> asked = m_nameModel;
    m_choice->checkAvailability(this, [this, asked](bool available) {
        if (asked != m_nameModel)
            return;
        m_modelAvailable = available;
        Q_EMIT changed();
    });
}

QString SwapSession::modelLabel() const
{
    return m_nameModel ? m_nameModel->label() : u"the language model"_s;
}

QString SwapSession::modelPlace() const
{
    return m_choice ? m_choice->place() : u"on this computer"_s;
}

void SwapSession::setBusy(const std::optional<QString> &what)
{
    m_busy = what;
    Q_EMIT changed();
}

// Reports from work whose result would now be dropped are dropped too.
ProgressReport SwapSession::progressReport(std::function<bool()> stillWanted)
{
    return progressOn(this, [this, stillWanted = std::move(stillWanted)](const Progress &progress) {
        if (stillWanted())
            setProgress(progress);
    });
}

void SwapSession::setProgress(const std::optional<Progress> &progress)
{
    if (progress == m_progress)
        return;
    m_progress = progress;
    Q_EMIT progressed();
}

void SwapSession::clearError()
{
    if (!m_error)
        return;
    m_error.reset();
    Q_EMIT changed();
}

void SwapSession::open(const QString &path)
{
    const quint64 generation = ++m_fileGeneration;
    setBusy(SwapTexts::opening(QFileInfo(path).fileName()));
    inBackground<Loaded>(
        m_pool, this,
        [path] {
            Spreadsheet file = loadSpreadsheet(path);
            Grid grid = file.grid(0);
            return Loaded{std::move(file), std::move(grid)};
        },
        [this, generation, path](std::optional<Loaded> loaded, std::exception_ptr error) {
            if (generation != m_fileGeneration)
                return;
            m_busy.reset();
            if (!loaded) {
                m_error = failureMessage(error);
                m_model.showProblem(SwapTexts::openFailedTitle(), *m_error);
                Q_EMIT changed();
                return;
            }
            clearResults();
            m_file = std::move(loaded->file);
            m_grid = std::move(loaded->grid);
            m_path = path;
            m_step = Step::columns;
            refreshModel();
            rescan();
        });
}

// Each file starts from empty options with the header row on.
void SwapSession::clearResults()
{
    stopModel();
    ++m_scanGeneration;
    m_file.reset();
    m_path.clear();
    m_scan.reset();
    m_scanning = false;
    m_progress.reset();
    m_options = ScanOptions{};
    m_excluded.clear();
    m_sheet = 0;
    m_grid.clear();
    m_outcome.reset();
    m_error.reset();
    m_suggestions.clear();
    m_taggerSuggestions.clear();
    m_modelSuggestions.clear();
    m_modelQueue = {};
    m_modelAnswers.clear();
    m_dismissed.clear();
    m_modelState = {};
    m_copiedRows.reset();
}

void SwapSession::rescan()
{
    const AppModel::OpenKey *open = m_model.openKey();
    if (!m_file || !open)
        return;
    const quint64 generation = ++m_scanGeneration;
    m_scanning = true;
    setProgress(std::nullopt);
    Q_EMIT changed();
    inBackground<Scanned>(
        m_pool, this,
        [file = *m_file, key = open->key, options = m_options, answers = m_modelAnswers,
         progress = progressReport([this, generation] { return generation == m_scanGeneration && m_scanning; })] {
            Scanned scanned{quorvane::scan(file, key, options, progress), {}, {}, {}};
            scanned.tagger = SecondOpinion::taggerSuggestions(file, scanned.scan, options);
            scanned.model = SecondOpinion::suggestions(answers, file, scanned.scan, options);
            scanned.queue = SecondOpinion::queue(file, scanned.scan, options.headerRow);
            return scanned;
        },
        [this, generation](std::optional<Scanned> scanned, std::exception_ptr error) {
            if (generation != m_scanGeneration)
                return;
            m_scanning = false;
            setProgress(std::nullopt);
            if (!scanned) {
                m_error = failureMessage(error);
                Q_EMIT changed();
                return;
            }
            // A large scan takes a while to free; let that happen off the window's thread.
            auto earlier = std::make_shared<std::optional<Scan>>(std::exchange(m_scan, std::move(scanned->scan)));
            m_pool.start([earlier = std::move(earlier)]() mutable { earlier.reset(); });
            m_taggerSuggestions = std::move(scanned->tagger);
            m_modelSuggestions = std::move(scanned->model);
            m_modelQueue = std::move(scanned->queue);
            m_suggestions = SecondOpinion::shown(m_taggerSuggestions, m_modelSuggestions, m_dismissed);
            Q_EMIT scanApplied();
            Q_EMIT changed();
        });
}

void SwapSession::setKind(ColumnID column, ColumnKind kind)
{
    m_options.columnKinds.insert(column, kind);
    rescan();
}

void SwapSession::setHeaderRow(bool headerRow)
{
    if (m_options.headerRow == headerRow)
        return;
    m_options.headerRow = headerRow;
    rescan();
}

void SwapSession::addExtraTerm(const QString &text, ValueKind kind)
{
    const QString term = text.trimmed();
    if (term.isEmpty())
        return;
    for (const ExtraTerm &existing : std::as_const(m_options.extraTerms)) {
        if (existing.text.compare(term, Qt::CaseInsensitive) == 0)
            return;
    }
    m_options.extraTerms.append({term, kind});
    rescan();
}

void SwapSession::toggle(const QString &itemID)
{
    if (!m_excluded.remove(itemID))
        m_excluded.insert(itemID);
    Q_EMIT changed();
}

void SwapSession::add(const NameSuggestion &suggestion)
{
    suggestion.apply(m_options);
    rescan();
}

void SwapSession::dismiss(const NameSuggestion &suggestion)
{
    m_dismissed.insert(suggestion.id);
    m_suggestions.removeIf([&](const NameSuggestion &shown) { return shown.id == suggestion.id; });
    Q_EMIT changed();
}

void SwapSession::setSheet(int sheet)
{
    if (!m_file || sheet == m_sheet || sheet < 0 || sheet >= m_file->sheetNames().size())
        return;
    m_sheet = sheet;
    m_grid = m_file->grid(sheet);
    Q_EMIT changed();
}

void SwapSession::review()
{
    if (m_step != Step::columns || !m_scan)
        return;
    m_step = Step::review;
    Q_EMIT changed();
}

void SwapSession::back()
{
    if (m_step != Step::review)
        return;
    m_step = Step::columns;
    Q_EMIT changed();
}

void SwapSession::askModel()
{
    if (!m_modelAvailable || !m_nameModel || !m_file || !m_scan || m_modelState.kind == ModelState::Kind::asking)
        return;
    OnDeviceNames::prewarm();
    m_modelState = {ModelState::Kind::asking, 0, int(m_modelQueue.pairs.size()), 0, 0, 0};
    m_modelStop = std::stop_source();
    const quint64 run = ++m_runGeneration;
    Q_EMIT changed();
    const auto progress = [this, run](int done) {
        if (run != m_runGeneration || m_modelState.kind != ModelState::Kind::asking)
            return;
        m_modelState.done = done;
        Q_EMIT changed();
    };
    inBackground<SecondOpinion::ModelRun>(
        m_modelPool, this,
        [this, model = m_nameModel, file = *m_file, scan = *m_scan, headerRow = m_options.headerRow,
         stop = m_modelStop.get_token(), progress] {
            const QList<SecondOpinion::Cell> cells = SecondOpinion::cells(file, scan, headerRow);
            int answered = 0;
            return SecondOpinion::ask(*model, cells, SecondOpinion::Defaults::examples,
                                      SecondOpinion::Defaults::maxCells, stop,
                                      [this, &answered, progress](const SecondOpinion::ModelAnswer &) {
                                          QMetaObject::invokeMethod(this, [progress, done = ++answered] { progress(done); },
                                                                    Qt::QueuedConnection);
                                      });
        },
        [this, run](std::optional<SecondOpinion::ModelRun> result, std::exception_ptr) {
            if (run == m_runGeneration && result)
                finishModelRun(*result);
        });
}

void SwapSession::finishModelRun(const SecondOpinion::ModelRun &run)
{
    m_modelAnswers = run.answers;
    const auto failed = std::count_if(run.answers.cbegin(), run.answers.cend(),
                                      [](const SecondOpinion::ModelAnswer &answer) { return answer.failure.has_value(); });
    m_modelState = {ModelState::Kind::finished, 0, 0, int(run.answers.size()), int(failed), run.skipped};
    rescan();
}

// The earlier answers stay; what the stopped run gathered is let go.
void SwapSession::stopModel()
{
    m_modelStop.request_stop();
    ++m_runGeneration;
    if (m_modelState.kind == ModelState::Kind::asking) {
        m_modelState = {};
        Q_EMIT changed();
    }
}

void SwapSession::swapAndSave()
{
    const AppModel::OpenKey *open = m_model.openKey();
    if (!m_file || !m_scan || !open || m_busy)
        return;
    const quint64 generation = m_fileGeneration;
    setBusy(SwapTexts::swapping());
    setProgress(std::nullopt);
    inBackground<Swapped>(
        m_pool, this,
        [file = *m_file, scan = *m_scan, key = open->key, excluded = m_excluded,
         progress = progressReport([this, generation] { return generation == m_fileGeneration && m_busy; })] {
            Swapped swapped{key, {}};
            swapped.result = Scrubber::apply(scan, file, swapped.key, excluded, progress);
            return swapped;
        },
        [this, generation](std::optional<Swapped> swapped, std::exception_ptr error) {
            if (generation != m_fileGeneration)
                return;
            m_busy.reset();
            setProgress(std::nullopt);
            Q_EMIT changed();
            if (!swapped) {
                m_model.showProblem(SwapTexts::swapFailedTitle(), failureMessage(error));
                return;
            }
            chooseAndWrite(*swapped);
        });
}

void SwapSession::chooseAndWrite(const Swapped &swapped)
{
    const QString name = m_file->fileName();
    const std::optional<QString> place = m_model.panels().chooseSaveLocation(
        CopyName::suggested(name, u"stand-ins"_s), CopyName::extension(name), SwapTexts::saveMessage());
    if (!place)
        return;
    if (const auto refused = CopyName::refusal(*place, {m_path}, m_model.store().keysDirectory())) {
        m_model.showProblem(SwapTexts::saveFailedTitle(), *refused);
        return;
    }
    const quint64 generation = m_fileGeneration;
    setBusy(SwapTexts::saving(QFileInfo(*place).fileName()));
    inBackground<Outcome>(
        m_pool, this,
        [place = *place, data = swapped.result.data, sheet = m_sheet, grid = m_grid, headerRow = m_options.headerRow,
         replaced = swapped.result.replaced] {
            writeAtomically(place, data);
            Outcome outcome{QFileInfo(place).fileName(), replaced, gridTexts(grid), {}, headerRow, 0};
            outcome.after = gridTexts(Spreadsheet(data, QFileInfo(place).fileName()).grid(sheet));
            outcome.dataRows = MarkdownTable::make(outcome.after, headerRow, MarkdownTable::Rows::all()).rows;
            return outcome;
        },
        [this, generation, swapped, place = *place](std::optional<Outcome> outcome, std::exception_ptr error) {
            // The file or key changed while writing: a copy whose stand-ins no key records must not stay.
            if (generation != m_fileGeneration) {
                if (outcome)
                    QFile::remove(place);
                return;
            }
            m_busy.reset();
            if (!outcome) {
                m_model.showProblem(SwapTexts::saveFailedTitle(), failureMessage(error));
                Q_EMIT changed();
                return;
            }
            finishSave(swapped, place, std::move(*outcome));
        });
}

// A copy whose stand-ins the key can't record would be one nobody can
// restore, so it goes again when the key can't be saved.
void SwapSession::finishSave(const Swapped &swapped, const QString &place, Outcome outcome)
{
    try {
        m_model.save(swapped.key);
    } catch (const Failure &failure) {
        QFile::remove(place);
        m_model.showProblem(SwapTexts::saveFailedTitle(), failure.message());
        Q_EMIT changed();
        return;
    }
    m_outcome = std::move(outcome);
    m_copiedRows.reset();
    m_step = Step::done;
    Q_EMIT changed();
}

void SwapSession::startOver()
{
    ++m_fileGeneration;
    clearResults();
    m_busy.reset();
    m_step = Step::start;
    Q_EMIT changed();
}

void SwapSession::copyMarkdown(const MarkdownTable::Rows &rows)
{
    if (!m_outcome || !m_clipboard)
        return;
    const MarkdownTable::Result table = MarkdownTable::make(m_outcome->after, m_outcome->headerRow, rows);
    m_clipboard->setText(table.text);
    m_copiedRows = table.rows;
    Q_EMIT changed();
}

} // namespace quorvane
