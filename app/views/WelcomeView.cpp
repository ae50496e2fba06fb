#include "app/views/WelcomeView.h"

#include "app/AppModel.h"
#include "app/views/PlatformWords.h"
#include "app/views/Symbols.h"
#include "app/views/ViewText.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace quorvane {

WelcomeView::WelcomeView(AppModel &model, QWidget *parent)
    : QWidget(parent)
    , m_newKey(new QPushButton(u"New Key…"_s, this))
    , m_import(new QPushButton(u"Import Key…"_s, this))
{
    const QList<std::pair<Symbol, QString>> steps{
        {Symbol::key, u"Make a project key. It’s encrypted and stays on this "_s % PlatformWords::machine() % u"."_s},
        {Symbol::swap, u"Swap a file. You review every value before anything is written."_s},
        {Symbol::restore, u"Restore the file (even edited) or a pasted reply with the same key."_s},
    };
    auto *stepGrid = new QGridLayout;
    stepGrid->setHorizontalSpacing(12);
    stepGrid->setVerticalSpacing(10);
    for (int row = 0; row < steps.size(); ++row) {
        auto *icon = new QLabel(this);
        icon->setPixmap(symbolIcon(steps[row].first).pixmap(24, 24));
        stepGrid->addWidget(icon, row, 0, Qt::AlignTop);
        stepGrid->addWidget(bodyLabel(steps[row].second, this), row, 1);
    }
    stepGrid->setColumnStretch(1, 1);
    m_newKey->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_newKey);
    buttons->addWidget(m_import);
    buttons->addStretch(1);

    auto *column = new QVBoxLayout;
    column->setSpacing(16);
    column->addStretch(1);
    column->addWidget(headingLabel(u"Share spreadsheets with stand-ins"_s, this));
    column->addWidget(bodyLabel(u"Quorvane swaps names, emails, phone numbers and addresses in a CSV or Excel file "
                                u"for realistic stand-ins before you send it to a contractor or an AI, and puts the "
                                u"real values back when it returns."_s,
                                this));
    column->addLayout(stepGrid);
    column->addSpacing(8);
    column->addLayout(buttons);
    column->addStretch(2);
    auto *centred = new QHBoxLayout(this);
    centred->setContentsMargins(32, 32, 32, 32);
    centred->addStretch(1);
    centred->addLayout(column, 8);
    centred->addStretch(1);
    connect(m_newKey, &QPushButton::clicked, &model, [&model] { model.setSheet(AppModel::Sheet::newKey()); });
    connect(m_import, &QPushButton::clicked, &model, &AppModel::importKey);
}

} // namespace quorvane
