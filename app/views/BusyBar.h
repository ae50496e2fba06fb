#pragma once

#include <QWidget>

#include <optional>

class QLabel;

namespace quorvane {

// What the window is busy with in the background, with a moving bar, so a
// long load or save is visibly under way.
class BusyBar : public QWidget
{
    Q_OBJECT

public:
    explicit BusyBar(QWidget *parent = nullptr);

    // Shown with the text, or hidden with nothing.
    void setWork(const std::optional<QString> &what);
    QString text() const;

private:
    QLabel *m_text;
};

} // namespace quorvane
