#include "app/views/PreferencesDialog.h"

#include "app/MenuBarSettings.h"
#include "app/hotkey/GlobalHotKey.h"
#include "app/views/PlatformWords.h"

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

PreferencesDialog::PreferencesDialog(ModelChoice &choice, MenuBarSettings *menuBar, QWidget *parent)
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
    if (menuBar)
        addTraySwitches(*menuBar);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &PreferencesDialog::save);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_address, &QLineEdit::textChanged, this, &PreferencesDialog::check);
    connect(m_remote, &QCheckBox::toggled, this, &PreferencesDialog::check);
    check();
}

// Switches, as in the panel's own menu: each change applies at once.
void PreferencesDialog::addTraySwitches(MenuBarSettings &menuBar)
{
    auto *layout = qobject_cast<QVBoxLayout *>(this->layout());
    const QString area = PlatformWords::panelArea();
    layout->addWidget(headingLabel(area.left(1).toUpper() % area.mid(1), this, 1.1));
    auto *show = new QCheckBox(u"Show in the "_s % area, this);
    show->setChecked(menuBar.show());
    layout->addWidget(show);
    layout->addWidget(bodyLabel(u"Restore copied text, pick a key, or swap a file from the "_s % area
                                    % u". The app keeps running there when its window is closed."_s,
                                this));
    auto *shortcut = new QCheckBox(GlobalHotKey::shortcutText() % u" restores the clipboard from any app"_s, this);
    shortcut->setChecked(menuBar.shortcut());
    layout->addWidget(shortcut);
    connect(show, &QCheckBox::toggled, this, [&menuBar](bool on) { menuBar.setShow(on); });
    connect(shortcut, &QCheckBox::toggled, this, [&menuBar](bool on) { menuBar.setShortcut(on); });
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
