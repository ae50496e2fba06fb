#include "app/views/RenameSheet.h"

#include "app/views/TabOrder.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace quorvane {

RenameSheet::RenameSheet(const QUuid &id, const QString &name, QWidget *parent)
    : KeySheet(u"Rename Key"_s, u"Rename"_s, parent), m_id(id), m_name(new QLineEdit(name, this))
{
    m_name->setAccessibleName(u"Name"_s);
    m_name->selectAll();
    auto *nameRow = new QFormLayout;
    nameRow->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    nameRow->addRow(u"Name"_s, m_name);
    content()->addLayout(nameRow);
    m_name->setFocus();
    chainTabOrder({m_name, cancelButton(), actionButton()});
    connect(m_name, &QLineEdit::returnPressed, actionButton(), &QPushButton::click);
    connect(this, &KeySheet::actionTriggered, this, [this] { Q_EMIT rename(m_name->text()); });
}

} // namespace quorvane
