#include "app/views/PassphraseFields.h"

#include "app/views/RevealableSecureField.h"
#include "kit/keys/KeyFile.h"

#include <QLineEdit>

#include <QLabel>
#include <QFormLayout>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

QLabel *noteLabel(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setStyleSheet(u"color: #b3261e;"_s);
    label->hide();
    return label;
}

} // namespace

PassphraseFields::PassphraseFields(const QString &title, const QString &confirmTitle, QWidget *parent)
    : QWidget(parent)
    , m_first(new RevealableSecureField(title, u"passphrase"_s, this))
    , m_confirm(new RevealableSecureField(confirmTitle, u"confirmation"_s, this))
    , m_rule(noteLabel(u"passphraseRule"_s, this))
    , m_mismatch(noteLabel(u"passphraseMismatch"_s, this))
{
    auto *layout = new QFormLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    layout->addRow(title, m_first);
    layout->addRow(confirmTitle, m_confirm);
    layout->addRow(m_rule);
    layout->addRow(m_mismatch);
    setFocusProxy(m_first);
    // The form's labels name the fields already.
    m_first->edit()->setPlaceholderText(QString());
    m_confirm->edit()->setPlaceholderText(QString());
    for (RevealableSecureField *field : {m_first, m_confirm}) {
        connect(field, &RevealableSecureField::textChanged, this, &PassphraseFields::update);
        connect(field, &RevealableSecureField::returnPressed, this, &PassphraseFields::returnPressed);
    }
}

QString PassphraseFields::passphrase() const
{
    return m_first->text();
}

bool PassphraseFields::acceptable() const
{
    return !KeyFile::passphraseProblem(m_first->text()) && m_first->text() == m_confirm->text();
}

void PassphraseFields::update()
{
    // Nothing typed yet is not yet a mistake.
    const std::optional<QString> problem =
        m_first->text().isEmpty() ? std::nullopt : KeyFile::passphraseProblem(m_first->text());
    m_rule->setText(problem.value_or(QString()));
    m_rule->setVisible(problem.has_value());
    const bool mismatch = !m_confirm->text().isEmpty() && m_confirm->text() != m_first->text();
    m_mismatch->setText(mismatch ? u"The passphrases don’t match."_s : QString());
    m_mismatch->setVisible(mismatch);
    Q_EMIT changed();
}

} // namespace quorvane
