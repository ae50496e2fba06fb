#include "app/views/SessionTabs.h"

#include "app/views/Symbols.h"
#include "app/views/ViewText.h"

#include <QButtonGroup>
#include <QFileInfo>
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
{
    auto *group = new QButtonGroup(this);
    group->addButton(m_swapButton);
    group->addButton(m_restoreButton);
    m_pages->addWidget(placeholder(u"Choose a CSV or Excel file to swap."_s, m_swapChosen));
    m_pages->addWidget(placeholder(u"Choose a returned file to restore."_s, m_restoreChosen));
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
    connect(&m_model.swap(), &SwapSession::changed, this, [this] { m_swapChosen->clear(); });
    connect(&m_model.restore(), &RestoreSession::changed, this, [this] { m_restoreChosen->clear(); });
    showTab();
}

QWidget *SessionTabs::placeholder(const QString &prompt, QLabel *&chosen)
{
    auto *page = new QWidget(m_pages);
    auto *text = headingLabel(prompt, page, 1.2);
    text->setAlignment(Qt::AlignCenter);
    chosen = bodyLabel(QString(), page);
    chosen->setAlignment(Qt::AlignCenter);
    auto *layout = new QVBoxLayout(page);
    layout->addStretch(1);
    layout->addWidget(text);
    layout->addWidget(chosen);
    layout->addStretch(1);
    return page;
}

void SessionTabs::showChosenFile(AppModel::Tab tab, const QString &path)
{
    QLabel *chosen = tab == AppModel::Tab::swap ? m_swapChosen : m_restoreChosen;
    chosen->setText(u"“"_s % QFileInfo(path).fileName() % u"”"_s);
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
