#include "app/views/BusyBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>

namespace quorvane {

BusyBar::BusyBar(QWidget *parent) : QWidget(parent), m_text(new QLabel(this))
{
    auto *bar = new QProgressBar(this);
    bar->setRange(0, 0);
    bar->setTextVisible(false);
    bar->setMaximumWidth(200);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 4, 0, 4);
    layout->addWidget(m_text);
    layout->addWidget(bar);
    layout->addStretch(1);
    setVisible(false);
}

void BusyBar::setWork(const std::optional<QString> &what)
{
    m_text->setText(what.value_or(QString()));
    setVisible(what.has_value());
}

QString BusyBar::text() const
{
    return m_text->text();
}

} // namespace quorvane
