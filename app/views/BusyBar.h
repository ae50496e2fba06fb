#pragma once

#include "kit/Progress.h"

#include <QWidget>

#include <optional>

class QLabel;
class QProgressBar;

namespace quorvane {

// What the window is busy with in the background, with a moving bar, so a
// long load or save is visibly under way; a filling bar once the work says
// how far it has come.
class BusyBar : public QWidget
{
    Q_OBJECT

public:
    explicit BusyBar(QWidget *parent = nullptr);

    // Shown with the text, or hidden with nothing.
    void setWork(const std::optional<QString> &what);
    // Fills the bar to the share done; nothing, or a report of another
    // stage than `stage`, sets it moving again.
    void setProgress(const std::optional<Progress> &progress, Progress::Stage stage);
    QString text() const;
    QProgressBar *bar() const { return m_bar; }

private:
    QLabel *m_text;
    QProgressBar *m_bar;
};

} // namespace quorvane
