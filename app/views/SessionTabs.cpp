#include "app/views/SessionTabs.h"

#include "app/views/RestoreView.h"
#include "app/views/SwapView.h"
#include "app/views/Symbols.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

QToolButton *pickerButton(const QString &text, Symbol symbol, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setText(text);
    button->setIcon(symbolIcon(symbol));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setCheckable(true);
    button->setToolTip(u"Swap real values for stand-ins, or restore them"_s);
    button->setAccessibleName(text);
    button->setMinimumWidth(110);
    return button;
}

} // namespace

SessionTabs::SessionTabs(AppModel &model, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_swapButton(pickerButton(u"Swap"_s, Symbol::swap, this))
    , m_restoreButton(pickerButton(u"Restore"_s, Symbol::restore, this))
    , m_pages(new QStackedWidget(this))
    , m_swapView(new SwapView(model, m_pages))
    , m_restoreView(new RestoreView(model, m_pages))
{
    auto *group = new QButtonGroup(this);
    group->addButton(m_swapButton);
    group->addButton(m_restoreButton);
    m_pages->addWidget(m_swapView);
    m_pages->addWidget(m_restoreView);
    auto *picker = new QHBoxLayout;
    picker->setSpacing(0);
    picker->addStretch(1);
    picker->addWidget(m_swapButton);
    picker->addWidget(m_restoreButton);
    picker->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 16);
    layout->addLayout(picker);
    layout->addWidget(m_pages, 1);
    connect(m_swapButton, &QToolButton::clicked, &m_model, [this] { m_model.setTab(AppModel::Tab::swap); });
    connect(m_restoreButton, &QToolButton::clicked, &m_model, [this] { m_model.setTab(AppModel::Tab::restore); });
    connect(&m_model, &AppModel::tabChanged, this, &SessionTabs::showTab);
    showTab();
}

QWidget *SessionTabs::currentPage() const
{
    return m_pages->currentWidget();
}

void SessionTabs::showTab()
{
    const bool swap = m_model.tab() == AppModel::Tab::swap;
    m_swapButton->setChecked(swap);
    m_restoreButton->setChecked(!swap);
    m_pages->setCurrentIndex(swap ? 0 : 1);
}

} // namespace quorvane
