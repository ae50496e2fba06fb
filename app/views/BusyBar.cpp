#include "app/views/BusyBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>

namespace quorvane {

BusyBar::BusyBar(QWidget *parent) : QWidget(parent), m_text(new QLabel(this)), m_bar(new QProgressBar(this))
{
    m_bar->setRange(0, 0);
    m_bar->setTextVisible(false);
    m_bar->setMaximumWidth(200);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 4, 0, 4);
    layout->addWidget(m_text);
    layout->addWidget(m_bar);
    layout->addStretch(1);
    setVisible(false);
}

void BusyBar::setWork(const std::optional<QString> &what)
{
    m_text->setText(what.value_or(QString()));
    setVisible(what.has_value());
    if (!what)
        m_bar->setRange(0, 0);
}

void BusyBar::setProgress(const std::optional<Progress> &progress, Progress::Stage stage)
{
    if (!progress || progress->stage != stage || progress->total <= 0) {
        m_bar->setRange(0, 0);
        return;
    }
    // A thousand steps: smooth enough, and far from the int limit of huge counts.
    constexpr int steps = 1000;
    m_bar->setRange(0, steps);
    m_bar->setValue(int(progress->done * steps / progress->total));
}

QString BusyBar::text() const
{
    return m_text->text();
}

} // namespace quorvane
