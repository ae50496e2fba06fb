#include "app/views/PreferencesDialog.h"

#include "app/ModelChoice.h"
#include "app/views/ViewText.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace quorvane {

PreferencesDialog::PreferencesDialog(ModelChoice &choice, QWidget *parent)
    : QDialog(parent)
    , m_choice(choice)
    , m_address(new QLineEdit(this))
    , m_model(new QLineEdit(this))
    , m_remote(new QCheckBox(u"Allow a server on another computer"_s, this))
    , m_problem(bodyLabel(QString(), this))
{
    setWindowTitle(u"Preferences"_s);
    setObjectName(u"preferences"_s);
    const LocalModelSettings settings = ModelChoice::stored();
    m_address->setText(settings.address);
    m_address->setPlaceholderText(u"http://127.0.0.1:8080"_s);
    m_model->setText(settings.model);
    m_model->setPlaceholderText(u"As the server names it"_s);
    m_remote->setChecked(settings.allowRemote);
    m_remote->setToolTip(u"Cells of your files are sent to that computer"_s);
    auto *form = new QFormLayout;
    form->addRow(u"Server address"_s, m_address);
    form->addRow(u"Model name"_s, m_model);
    form->addRow(QString(), m_remote);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(headingLabel(u"Language model"_s, this, 1.1));
    layout->addWidget(bodyLabel(u"Quorvane can ask a language model for names the rules missed in free text. Give "
                                u"the address of a server with an OpenAI-compatible API that runs on this computer. "
                                u"Leave it empty to use the model built into the system, where there is one."_s,
                                this));
    layout->addLayout(form);
    layout->addWidget(m_problem);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &PreferencesDialog::save);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_address, &QLineEdit::textChanged, this, &PreferencesDialog::check);
    connect(m_remote, &QCheckBox::toggled, this, &PreferencesDialog::check);
    check();
}

void PreferencesDialog::check()
{
    const LocalModelSettings settings{m_address->text(), m_model->text(), m_remote->isChecked()};
    QString whyNot;
    const bool fine = !settings.isConfigured() || settings.chatEndpoint(&whyNot).has_value();
    m_problem->setText(fine ? QString() : u"This address can’t be used: "_s % whyNot % u"."_s);
    m_problem->setVisible(!fine);
    m_ok->setEnabled(fine);
}

void PreferencesDialog::save()
{
    m_choice.setSettings({m_address->text(), m_model->text(), m_remote->isChecked()});
    accept();
}

} // namespace quorvane
