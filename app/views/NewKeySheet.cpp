#include "app/views/NewKeySheet.h"

#include "app/views/PassphraseFields.h"
#include "app/views/PlatformWords.h"
#include "app/views/RevealableSecureField.h"
#include "app/views/TabOrder.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

QLabel *wrapped(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

NewKeySheet::NewKeySheet(QWidget *parent)
    : KeySheet(u"New Project Key"_s, u"Make Key"_s, parent)
    , m_name(new QLineEdit(this))
    , m_store(new QRadioButton(u"The "_s % PlatformWords::store() % u" on this "_s % PlatformWords::machine()
                                   % u" (opens by itself)"_s,
                               this))
    , m_usePassphrase(
          new QRadioButton(u"A passphrase (works on another "_s % PlatformWords::machine() % u" after export)"_s, this))
    , m_passphraseBox(new QWidget(this))
    , m_passphrase(new PassphraseFields(u"Passphrase"_s, u"Confirm passphrase"_s, m_passphraseBox))
{
    m_name->setPlaceholderText(u"Spring customer survey"_s);
    m_name->setAccessibleName(u"Name"_s);
    auto *group = new QButtonGroup(this);
    group->addButton(m_store);
    group->addButton(m_usePassphrase);
    m_store->setChecked(true);
    auto *protectWith = new QLabel(u"Protect it with"_s, this);
    auto *boxLayout = new QVBoxLayout(m_passphraseBox);
    boxLayout->setContentsMargins(0, 0, 0, 0);
    boxLayout->addWidget(m_passphrase);
    boxLayout->addWidget(wrapped(u"There’s no way to recover a forgotten passphrase, and without the key a swapped "
                                 u"file can’t be restored."_s,
                                 m_passphraseBox));
    m_passphraseBox->hide();

    auto *nameRow = new QFormLayout;
    nameRow->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    nameRow->addRow(u"Name"_s, m_name);
    content()->addLayout(nameRow);
    content()->addWidget(wrapped(u"Use one key for every file about the same people, so each person gets the same "
                                 u"stand-in everywhere and every file can be restored."_s,
                                 this));
    content()->addWidget(protectWith);
    content()->addWidget(m_store);
    content()->addWidget(m_usePassphrase);
    content()->addWidget(m_passphraseBox);
    m_name->setFocus();
    chainTabOrder({m_name, m_store, m_usePassphrase, m_passphrase->first(), m_passphrase->confirm(), cancelButton(),
                   actionButton()});

    connect(m_usePassphrase, &QRadioButton::toggled, this, &NewKeySheet::update);
    connect(m_passphrase, &PassphraseFields::changed, this, &NewKeySheet::update);
    connect(m_passphrase, &PassphraseFields::returnPressed, actionButton(), &QPushButton::click);
    connect(m_name, &QLineEdit::returnPressed, actionButton(), &QPushButton::click);
    connect(this, &KeySheet::actionTriggered, this, [this] {
        if (m_usePassphrase->isChecked())
            Q_EMIT makeKey(m_name->text(), m_passphrase->passphrase());
        else
            Q_EMIT makeKey(m_name->text(), std::nullopt);
    });
    update();
}

void NewKeySheet::update()
{
    const bool usePassphrase = m_usePassphrase->isChecked();
    m_passphraseBox->setVisible(usePassphrase);
    setActionEnabled(!usePassphrase || m_passphrase->acceptable());
    adjustSize();
}

} // namespace quorvane
