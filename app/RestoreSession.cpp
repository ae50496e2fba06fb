#include "app/RestoreSession.h"

#include "app/AppModel.h"
#include "app/Background.h"
#include "app/CopyName.h"
#include "app/Panels.h"
#include "app/SheetFile.h"
#include "store/AtomicFile.h"
#include "kit/restore/Restorer.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

const QString openFailedTitle = u"The file couldn’t be opened"_s;
const QString saveFailedTitle = u"The file couldn’t be saved"_s;

// The first cells, in sheet, row and column order, that get a value back.
QList<std::pair<QString, QString>> sampleOf(const Spreadsheet &file, const Restorer &restorer)
{
    QList<std::pair<QString, QString>> sample;
    for (qsizetype sheet = 0; sheet < file.sheetNames().size(); ++sheet) {
        for (const QList<GridCell> &row : file.grid(int(sheet))) {
            for (const GridCell &cell : row) {
                if (!cell.editable)
                    continue;
                const Restorer::TextResult restored = restorer.restore(cell.text);
                if (restored.count > 0)
                    sample.append({cell.text, restored.text});
                if (sample.size() == RestoreSession::sampleSize)
                    return sample;
            }
        }
    }
    return sample;
}

RestoreSession::Ready restoreFile(const QString &path, const ProjectKey &key, const ProgressReport &progress)
{
    const Spreadsheet file = loadSpreadsheet(path);
    const Restorer restorer(key);
    const Restorer::FileResult restored = restorer.restore(file, progress);
    RestoreSession::Ready ready{file.fileName(), file.kind(), restored.data, restored.count, {}};
    // With nothing found there is nothing to show, and no cell to walk.
    if (restored.count > 0)
        ready.sample = sampleOf(file, restorer);
    return ready;
}

} // namespace

RestoreSession::RestoreSession(AppModel &model, QObject *parent) : QObject(parent), m_model(model)
{
    connect(&m_model, &AppModel::problemChanged, this, [this] {
        if (!m_model.problem() && m_error) {
            m_error.reset();
            Q_EMIT changed();
        }
    });
}

RestoreSession::~RestoreSession()
{
    m_pool.waitForDone();
}

void RestoreSession::open(const QString &path)
{
    const AppModel::OpenKey *open = m_model.openKey();
    if (!open)
        return;
    m_savedAs.reset();
    m_error.reset();
    m_busy = u"Restoring “"_s % QFileInfo(path).fileName() % u"”…"_s;
    const quint64 generation = ++m_generation;
    setProgress(std::nullopt);
    Q_EMIT changed();
    const ProgressReport progress = progressOn(this, [this, generation](const Progress &reported) {
        if (generation == m_generation && m_busy)
            setProgress(reported);
    });
    inBackground<Ready>(
        m_pool, this, [path, key = open->key, progress] { return restoreFile(path, key, progress); },
        [this, generation, path](std::optional<Ready> ready, std::exception_ptr error) {
            if (generation != m_generation)
                return;
            m_busy.reset();
            setProgress(std::nullopt);
            if (ready) {
                m_ready = std::move(ready);
                m_path = path;
            } else {
                // The file before stays, so its copy can still be saved.
                m_error = failureMessage(error);
                m_model.showProblem(openFailedTitle, *m_error);
            }
            Q_EMIT changed();
        });
}

void RestoreSession::saveRestored()
{
    if (!m_ready || m_busy)
        return;
    const std::optional<QString> place = m_model.panels().chooseSaveLocation(
        CopyName::suggested(m_ready->fileName, u"restored"_s), CopyName::extension(m_ready->fileName), saveMessage());
    if (!place)
        return;
    if (const auto refused = CopyName::refusal(*place, {m_path}, m_model.store().keysDirectory())) {
        m_model.showProblem(saveFailedTitle, *refused);
        return;
    }
    write(*m_ready, *place);
}

void RestoreSession::write(const Ready &ready, const QString &place)
{
    m_busy = u"Saving “"_s % QFileInfo(place).fileName() % u"”…"_s;
    const quint64 generation = m_generation;
    Q_EMIT changed();
    inBackground<bool>(
        m_pool, this,
        [place, data = ready.data] {
            writeAtomically(place, data);
            return true;
        },
        [this, generation, place](std::optional<bool> written, std::exception_ptr error) {
            if (generation != m_generation)
                return;
            m_busy.reset();
            if (written)
                m_savedAs = QFileInfo(place).fileName();
            else
                m_model.showProblem(saveFailedTitle, failureMessage(error));
            Q_EMIT changed();
        });
}

void RestoreSession::setProgress(const std::optional<Progress> &progress)
{
    if (progress == m_progress)
        return;
    m_progress = progress;
    Q_EMIT progressed();
}

void RestoreSession::setPasted(const QString &text)
{
    if (text == m_pasted)
        return;
    m_pasted = text;
    Q_EMIT changed();
}

void RestoreSession::restorePasted()
{
    const AppModel::OpenKey *open = m_model.openKey();
    if (!open)
        return;
    const Restorer::TextResult restored = Restorer(open->key).restore(m_pasted);
    m_restoredText = restored.text;
    m_restoredCount = restored.count;
    Q_EMIT changed();
}

void RestoreSession::reset()
{
    ++m_generation;
    m_ready.reset();
    m_path.clear();
    m_savedAs.reset();
    m_error.reset();
    m_busy.reset();
    m_progress.reset();
    Q_EMIT changed();
}

void RestoreSession::showPastedText()
{
    Q_EMIT pastedTextWanted();
}

QString RestoreSession::countLine(int count)
{
    return QString::number(count) % u" stand-ins found"_s;
}

QString RestoreSession::noneFound()
{
    return u"None of this key’s stand-ins are in the file. Was it swapped with a different key?"_s;
}

QString RestoreSession::restoredLine(int count)
{
    return QString::number(count) % u" restored"_s;
}

QString RestoreSession::savedLine(const QString &name)
{
    return u"Saved “"_s % name % u"”"_s;
}

QString RestoreSession::saveMessage()
{
    return u"Save a copy with the real values back. Keep it private."_s;
}

QString RestoreSession::chooserMessage()
{
    return u"Choose a returned file to restore."_s;
}

} // namespace quorvane
