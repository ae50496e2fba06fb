#pragma once

#include "kit/files/MarkdownTable.h"
#include "kit/files/Spreadsheet.h"
#include "kit/keys/ProjectKey.h"
#include "kit/suggest/NameModel.h"
#include "kit/suggest/SecondOpinion.h"
#include "kit/swap/Scan.h"
#include "kit/swap/ScanOptions.h"

#include <QObject>
#include <QSet>
#include <QThreadPool>

#include <memory>
#include <optional>
#include <stop_token>

namespace quorvane {

class AppModel;
class Clipboard;
class ModelChoice;

// The state behind the Swap tab: one file from choosing it to a saved copy
// with stand-ins. Loading, scanning, the model run and writing run on
// background threads over copies; their results come back here, on the main
// thread, and a result that no longer fits the file and options is dropped.
class SwapSession : public QObject
{
    Q_OBJECT

public:
    enum class Step { start, columns, review, done };

    struct Outcome
    {
        QString savedAs;
        int replaced = 0;
        QList<QStringList> before; // the shown sheet before the swap
        QList<QStringList> after;  // the same sheet read back from the written copy
        bool headerRow = true;
        int dataRows = 0; // rows of `after` below the header row
    };

    struct ModelState
    {
        enum class Kind { idle, asking, finished };
        Kind kind = Kind::idle;
        int done = 0, total = 0;                // asking
        int asked = 0, failed = 0, skipped = 0; // finished
    };

    static constexpr int previewRows = 300;

    explicit SwapSession(AppModel &model, QObject *parent = nullptr);
    ~SwapSession() override;

    void setClipboard(Clipboard &clipboard) { m_clipboard = &clipboard; }
    void setModelChoice(ModelChoice &choice);

    Step step() const { return m_step; }
    const std::optional<Spreadsheet> &file() const { return m_file; }
    const QString &filePath() const { return m_path; }
    const std::optional<Scan> &scan() const { return m_scan; }
    bool scanning() const { return m_scanning; }
    const ScanOptions &options() const { return m_options; }
    const QSet<QString> &excluded() const { return m_excluded; }
    int sheet() const { return m_sheet; }
    const Grid &grid() const { return m_grid; }
    const std::optional<Outcome> &outcome() const { return m_outcome; }
    const std::optional<QString> &error() const { return m_error; }
    const QList<NameSuggestion> &suggestions() const { return m_suggestions; }
    const QList<NameSuggestion> &taggerSuggestions() const { return m_taggerSuggestions; }
    const QList<SecondOpinion::ModelAnswer> &modelAnswers() const { return m_modelAnswers; }
    const QSet<QString> &dismissed() const { return m_dismissed; }
    const ModelState &modelState() const { return m_modelState; }
    bool modelAvailable() const { return m_modelAvailable; }
    // How the model in use is named ("Apple Intelligence", "the local language model").
    QString modelLabel() const;
    QString modelPlace() const;
    // What is being done in the background that the user waits for, if anything.
    const std::optional<QString> &busy() const { return m_busy; }
    // How far the scan or the swap under way has come; nothing before its
    // first report, or when neither runs.
    const std::optional<Progress> &progress() const { return m_progress; }
    // Data rows in the last Markdown copy; nothing before one.
    const std::optional<int> &copiedRows() const { return m_copiedRows; }
    // The pairs a model run would ask about, and the cells the cap leaves out.
    const SecondOpinion::Queue &modelQueue() const { return m_modelQueue; }

    void open(const QString &path);
    void setKind(ColumnID column, ColumnKind kind);
    void setHeaderRow(bool headerRow);
    void addExtraTerm(const QString &text, ValueKind kind);
    void toggle(const QString &itemID);
    void add(const NameSuggestion &suggestion);
    void dismiss(const NameSuggestion &suggestion);
    void setSheet(int sheet);
    void review();
    void back();
    void askModel();
    void stopModel();
    void swapAndSave();
    void startOver();
    void copyMarkdown(const MarkdownTable::Rows &rows);
    void clearError();
    // Asks the model choice again whether its model answers.
    void refreshModel();

Q_SIGNALS:
    void changed();
    // A scan's result was applied (stale ones never are).
    void scanApplied();
    // progress() moved on; only the progress indicators need redrawing.
    void progressed();

private:
    struct Swapped;
    void rescan();
    void clearResults();
    void setBusy(const std::optional<QString> &what);
    ProgressReport progressReport(std::function<bool()> stillWanted);
    void setProgress(const std::optional<Progress> &progress);
    void chooseAndWrite(const Swapped &swapped);
    void finishSave(const Swapped &swapped, const QString &place, Outcome outcome);
    void finishModelRun(const SecondOpinion::ModelRun &run);

    AppModel &m_model;
    Clipboard *m_clipboard = nullptr;
    ModelChoice *m_choice = nullptr;
    std::shared_ptr<const NameModel> m_nameModel;

    Step m_step = Step::start;
    std::optional<Spreadsheet> m_file;
    QString m_path;
    std::optional<Scan> m_scan;
    bool m_scanning = false;
    ScanOptions m_options;
    QSet<QString> m_excluded;
    int m_sheet = 0;
    Grid m_grid;
    std::optional<Outcome> m_outcome;
    std::optional<QString> m_error;
    QList<NameSuggestion> m_suggestions;
    QList<NameSuggestion> m_taggerSuggestions;
    QList<NameSuggestion> m_modelSuggestions;
    SecondOpinion::Queue m_modelQueue;
    QList<SecondOpinion::ModelAnswer> m_modelAnswers;
    QSet<QString> m_dismissed;
    ModelState m_modelState;
    std::stop_source m_modelStop;
    bool m_modelAvailable = false;
    std::optional<QString> m_busy;
    std::optional<Progress> m_progress;
    std::optional<int> m_copiedRows;

    // Each new file, scan or model run takes the next number; a result that
    // comes back under an older one is dropped.
    quint64 m_fileGeneration = 0;
    quint64 m_scanGeneration = 0;
    quint64 m_runGeneration = 0;
    QThreadPool m_pool;
    QThreadPool m_modelPool;
};

} // namespace quorvane
