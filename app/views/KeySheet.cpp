#include "app/views/KeySheet.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace quorvane {

KeySheet::KeySheet(const QString &title, const QString &action, QWidget *parent)
    : QDialog(parent), m_content(new QVBoxLayout), m_busy(new QProgressBar(this))
{
    setWindowTitle(title);
    setWindowModality(Qt::WindowModal);
    setMinimumWidth(440);
    auto *heading = new QLabel(title, this);
    QFont font = heading->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.25);
    heading->setFont(font);
    m_busy->setRange(0, 0);
    m_busy->setTextVisible(false);
    m_busy->setMaximumHeight(6);
    m_busy->setAccessibleName(u"Working"_s);
    m_busy->hide();
    auto *buttons = new QDialogButtonBox(this);
    m_cancel = buttons->addButton(QDialogButtonBox::Cancel);
    m_cancel->setText(u"Cancel"_s);
    m_action = buttons->addButton(action, QDialogButtonBox::AcceptRole);
    m_action->setDefault(true);
    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(12);
    // Never smaller than its contents, even on a small screen.
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    layout->addWidget(heading);
    layout->addLayout(m_content);
    layout->addStretch(1);
    layout->addWidget(m_busy);
    layout->addWidget(buttons);
    connect(m_cancel, &QPushButton::clicked, this, &KeySheet::reject);
    connect(m_action, &QPushButton::clicked, this, [this] {
        if (m_action->isEnabled())
            Q_EMIT actionTriggered();
    });
}

void KeySheet::setWorking(bool working)
{
    m_working = working;
    m_busy->setVisible(working);
    for (QWidget *child : findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (child != m_busy)
            child->setEnabled(!working);
    }
    refreshAction();
}

void KeySheet::reject()
{
    if (!m_working)
        QDialog::reject();
}

void KeySheet::setActionEnabled(bool enabled)
{
    m_actionEnabled = enabled;
    refreshAction();
}

void KeySheet::refreshAction()
{
    m_action->setEnabled(m_actionEnabled && !m_working);
}

} // namespace quorvane
