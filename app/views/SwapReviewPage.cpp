#include "app/views/SwapReviewPage.h"

#include "app/SwapSession.h"
#include "app/SwapTexts.h"
#include "app/views/ModelBlock.h"
#include "app/views/SuggestionList.h"
#include "app/views/ViewText.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

constexpr int itemIdRole = Qt::UserRole;

QString kindTitle(ValueKind kind)
{
    switch (kind) {
    case ValueKind::name:
        return u"Name"_s;
    case ValueKind::email:
        return u"Email"_s;
    case ValueKind::phone:
        return u"Phone"_s;
    case ValueKind::address:
        break;
    }
    return u"Address"_s;
}

} // namespace

SwapReviewPage::SwapReviewPage(SwapSession &session, QWidget *parent)
    : QWidget(parent)
    , m_session(session)
    , m_items(new QListWidget(this))
    , m_freeText(bodyLabel(QString(), this))
    , m_conflicts(bodyLabel(QString(), this))
    , m_suggestions(new SuggestionList(session, this))
    , m_model(new ModelBlock(session, this))
    , m_term(new QLineEdit(this))
    , m_termKind(new QComboBox(this))
    , m_addTerm(new QPushButton(u"Add"_s, this))
    , m_back(new QPushButton(u"Back"_s, this))
    , m_count(new QLabel(this))
    , m_swap(new QPushButton(u"Swap and Save…"_s, this))
{
    m_term->setPlaceholderText(u"A value to replace everywhere, like a nickname"_s);
    for (ValueKind kind : allValueKinds())
        m_termKind->addItem(kindTitle(kind), QVariant::fromValue(int(kind)));
    m_swap->setDefault(true);

    auto *below = new QWidget(this);
    auto *belowLayout = new QVBoxLayout(below);
    belowLayout->setContentsMargins(0, 0, 8, 0);
    belowLayout->addWidget(m_freeText);
    belowLayout->addWidget(m_conflicts);
    belowLayout->addWidget(m_suggestions);
    belowLayout->addWidget(m_model);
    auto *termRow = new QHBoxLayout;
    termRow->addWidget(new QLabel(u"Missed something?"_s, below));
    termRow->addWidget(m_term, 1);
    termRow->addWidget(m_termKind);
    termRow->addWidget(m_addTerm);
    belowLayout->addLayout(termRow);
    belowLayout->addStretch(1);
    auto *scroll = new QScrollArea(this);
    scroll->setWidget(below);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_back);
    buttons->addStretch(1);
    buttons->addWidget(m_count);
    buttons->addWidget(m_swap);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_items, 3);
    layout->addWidget(scroll, 2);
    layout->addLayout(buttons);

    connect(m_items, &QListWidget::itemChanged, this, &SwapReviewPage::itemToggled);
    connect(m_addTerm, &QPushButton::clicked, this, &SwapReviewPage::addTerm);
    connect(m_term, &QLineEdit::returnPressed, this, &SwapReviewPage::addTerm);
    connect(m_back, &QPushButton::clicked, &m_session, &SwapSession::back);
    connect(m_swap, &QPushButton::clicked, &m_session, &SwapSession::swapAndSave);
    connect(&m_session, &SwapSession::scanApplied, this, &SwapReviewPage::fillItems);
}

void SwapReviewPage::fillItems()
{
    const QSignalBlocker block(m_items);
    m_items->clear();
    if (!m_session.scan())
        return;
    for (const ReviewItem &item : m_session.scan()->items) {
        auto *row = new QListWidgetItem(SwapTexts::itemLine(item), m_items);
        row->setData(itemIdRole, item.id());
        row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
        row->setCheckState(m_session.excluded().contains(item.id()) ? Qt::Unchecked : Qt::Checked);
    }
}

// Ticks follow the session, whoever changed it.
void SwapReviewPage::syncTicks()
{
    const QSignalBlocker block(m_items);
    for (int row = 0; row < m_items->count(); ++row) {
        QListWidgetItem *item = m_items->item(row);
        const bool excluded = m_session.excluded().contains(item->data(itemIdRole).toString());
        item->setCheckState(excluded ? Qt::Unchecked : Qt::Checked);
    }
}

void SwapReviewPage::itemToggled(QListWidgetItem *item)
{
    const QString id = item->data(itemIdRole).toString();
    const bool wanted = item->checkState() == Qt::Checked;
    if (wanted == m_session.excluded().contains(id))
        m_session.toggle(id);
}

void SwapReviewPage::addTerm()
{
    m_session.addExtraTerm(m_term->text(), ValueKind(m_termKind->currentData().toInt()));
    m_term->clear();
}

void SwapReviewPage::refresh()
{
    const std::optional<Scan> &scan = m_session.scan();
    if (scan && m_items->count() != scan->items.size())
        fillItems();
    syncTicks();
    const int freeText = scan ? scan->freeTextCells : 0;
    m_freeText->setVisible(freeText > 0);
    m_freeText->setText(SwapTexts::freeTextNote(freeText));
    const QStringList conflicts = scan ? scan->conflicts : QStringList();
    m_conflicts->setVisible(!conflicts.isEmpty());
    m_conflicts->setText(SwapTexts::conflictsNote(conflicts));
    m_suggestions->refresh();
    m_model->refresh();
    const qsizetype all = scan ? scan->items.size() : 0;
    const qsizetype kept = scan ? std::ranges::count_if(scan->items, [this](const ReviewItem &item) {
        return !m_session.excluded().contains(item.id());
    }) : 0;
    m_count->setText(SwapTexts::countLine(kept, all));
    m_swap->setEnabled(scan.has_value() && !m_session.scanning() && !m_session.busy());
}

} // namespace quorvane
