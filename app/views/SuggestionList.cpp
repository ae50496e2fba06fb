#include "app/views/SuggestionList.h"

#include "app/SwapSession.h"
#include "app/views/ViewText.h"
#include "kit/suggest/SuggestionTexts.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

SuggestionTexts::Labels labels(const SwapSession &session)
{
    SuggestionTexts::Labels labels;
    labels.model = session.modelLabel();
    labels.place = session.modelPlace().mid(3); // "on this computer" → "this computer"
    return labels;
}

} // namespace

SuggestionList::SuggestionList(SwapSession &session, QWidget *parent)
    : QWidget(parent)
    , m_session(session)
    , m_title(headingLabel(QString(), this, 1.05))
    , m_rows(new QWidget(this))
    , m_rowsLayout(new QVBoxLayout(m_rows))
    , m_footnote(bodyLabel(QString(), this))
{
    m_title->setToolTip(SuggestionTexts::sectionHelp());
    m_rowsLayout->setContentsMargins(0, 0, 0, 0);
    QFont small = m_footnote->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    m_footnote->setFont(small);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_title);
    layout->addWidget(m_rows);
    layout->addWidget(m_footnote);
}

void SuggestionList::refresh()
{
    const QList<NameSuggestion> &suggestions = m_session.suggestions();
    setVisible(!suggestions.isEmpty());
    m_footnote->setText(SuggestionTexts::footnote(labels(m_session), m_session.modelAvailable()));
    if (suggestions == m_shown)
        return;
    m_shown = suggestions;
    m_title->setText(SuggestionTexts::sectionTitle(suggestions.size()));
    while (QLayoutItem *item = m_rowsLayout->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    for (const NameSuggestion &suggestion : suggestions)
        m_rowsLayout->addWidget(row(suggestion));
}

QWidget *SuggestionList::row(const NameSuggestion &suggestion)
{
    auto *row = new QWidget(m_rows);
    auto *text = bodyLabel(SuggestionTexts::rowLabel(suggestion, labels(m_session)), row);
    text->setToolTip(suggestion.samples.join(u"\n"_s));
    auto *add = new QPushButton(SuggestionTexts::addButton(), row);
    add->setToolTip(SuggestionTexts::addHelp(suggestion));
    auto *dismiss = new QPushButton(SuggestionTexts::dismissButton(), row);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text, 1);
    layout->addWidget(add);
    layout->addWidget(dismiss);
    connect(add, &QPushButton::clicked, &m_session, [this, suggestion] { m_session.add(suggestion); });
    connect(dismiss, &QPushButton::clicked, &m_session, [this, suggestion] { m_session.dismiss(suggestion); });
    return row;
}

} // namespace quorvane
