#pragma once

#include "kit/Progress.h"
#include "kit/files/Spreadsheet.h"

#include <QObject>
#include <QThreadPool>

#include <optional>
#include <utility>

namespace quorvane {

class AppModel;

// The state behind the Restore tab: a returned file or pasted text restored
// with the selected key. A file is read and restored in the background, so a
// large one never holds up the window.
class RestoreSession : public QObject
{
    Q_OBJECT

public:
    // A returned file restored in memory, waiting to be saved.
    struct Ready
    {
        QString fileName;
        FileKind kind = FileKind::csv;
        QByteArray data;
        int count = 0;
        QList<std::pair<QString, QString>> sample; // (with stand-ins, with real values)
    };

    static constexpr int sampleSize = 6;

    explicit RestoreSession(AppModel &model, QObject *parent = nullptr);
    ~RestoreSession() override;

    const std::optional<Ready> &ready() const { return m_ready; }
    const std::optional<QString> &savedAs() const { return m_savedAs; }
    const std::optional<QString> &error() const { return m_error; }
    const QString &pasted() const { return m_pasted; }
    const QString &restoredText() const { return m_restoredText; }
    const std::optional<int> &restoredCount() const { return m_restoredCount; }
    const std::optional<QString> &busy() const { return m_busy; }
    // How far the restore of a file under way has come; nothing before its
    // first report, or when none runs.
    const std::optional<Progress> &progress() const { return m_progress; }

    void open(const QString &path);
    void saveRestored();
    void setPasted(const QString &text);
    void restorePasted();
    // Forgets the returned file.
    void reset();
    // Asks the view to show the pasted-text block, ready for a reply.
    void showPastedText();

    static QString countLine(int count);
    static QString noneFound();
    static QString restoredLine(int count);
    static QString savedLine(const QString &name);
    static QString saveMessage();
    static QString chooserMessage();

Q_SIGNALS:
    void changed();
    void pastedTextWanted();
    // progress() moved on; only the progress indicator needs redrawing.
    void progressed();

private:
    void write(const Ready &ready, const QString &place);
    void setProgress(const std::optional<Progress> &progress);

    AppModel &m_model;
    std::optional<Ready> m_ready;
    QString m_path;
    std::optional<QString> m_savedAs;
    std::optional<QString> m_error;
    QString m_pasted;
    QString m_restoredText;
    std::optional<int> m_restoredCount;
    std::optional<QString> m_busy;
    std::optional<Progress> m_progress;
    quint64 m_generation = 0;
    QThreadPool m_pool;
};

} // namespace quorvane
