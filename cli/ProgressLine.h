#pragma once

#include "kit/Progress.h"

#include <QString>
#include <QTextStream>

namespace quorvane::cli {

// How far long work has come, as one line on standard error redrawn in place
// ("Scanning… 42%"). Only a terminal gets it: a log or a pipe reading
// standard error must hold nothing but the messages.
class ProgressLine
{
public:
    explicit ProgressLine(QTextStream &err);
    // Clears the line, so that a failure's message starts a clean one.
    ~ProgressLine();
    ProgressLine(const ProgressLine &) = delete;
    ProgressLine &operator=(const ProgressLine &) = delete;

    // A stage whose length is unknown, such as reading the input.
    void show(Progress::Stage stage);
    // For the core to call as it goes.
    ProgressReport report();
    // Before anything else is written to the terminal.
    void clear();

    static QString text(const Progress &progress);

private:
    void draw(const QString &text);

    QTextStream &m_err;
    const bool m_shown;
    QString m_drawn; // what the line shows now
};

} // namespace quorvane::cli
