#include "app/views/CopyRowsDialog.h"

#include "app/SwapTexts.h"
#include "app/views/ViewText.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace quorvane {

CopyRowsDialog::CopyRowsDialog(int dataRows, QWidget *parent)
    : QDialog(parent), m_from(new QSpinBox(this)), m_to(new QSpinBox(this))
{
    setWindowTitle(u"Copy Some Rows"_s);
    const int last = std::max(dataRows, 1);
    m_from->setRange(1, last);
    m_to->setRange(1, last);
    m_from->setValue(1);
    m_to->setValue(last);
    // The range never turns round: moving one end past the other moves both.
    connect(m_from, &QSpinBox::valueChanged, m_to, [this](int from) { m_to->setValue(std::max(m_to->value(), from)); });
    connect(m_to, &QSpinBox::valueChanged, m_from, [this](int to) { m_from->setValue(std::min(m_from->value(), to)); });
    auto *form = new QFormLayout;
    form->addRow(u"From row "_s, m_from);
    form->addRow(u"To row "_s, m_to);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(u"Copy"_s);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(bodyLabel(SwapTexts::someRowsNote(), this));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

int CopyRowsDialog::from() const
{
    return m_from->value();
}

int CopyRowsDialog::to() const
{
    return m_to->value();
}

} // namespace quorvane
