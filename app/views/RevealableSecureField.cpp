#include "app/views/RevealableSecureField.h"

#include "app/views/Symbols.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace quorvane {

RevealableSecureField::RevealableSecureField(const QString &title, const QString &what, QWidget *parent)
    : QWidget(parent), m_what(what), m_edit(new QLineEdit(this)), m_button(new QToolButton(this))
{
    m_edit->setPlaceholderText(title);
    m_edit->setAccessibleName(title);
    m_edit->setEchoMode(QLineEdit::Password);
    // Passphrases are not for other programs to read back.
    m_edit->setInputMethodHints(Qt::ImhSensitiveData | Qt::ImhNoPredictiveText | Qt::ImhNoAutoUppercase);
    m_button->setAutoRaise(true);
    m_button->setFocusPolicy(Qt::TabFocus);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_button);
    setFocusProxy(m_edit);
    connect(m_edit, &QLineEdit::textChanged, this, &RevealableSecureField::textChanged);
    connect(m_edit, &QLineEdit::returnPressed, this, &RevealableSecureField::returnPressed);
    connect(m_button, &QToolButton::clicked, this, [this] {
        setRevealed(!m_revealed);
        m_edit->setFocus(Qt::OtherFocusReason);
    });
    updateButton();
}

QString RevealableSecureField::text() const
{
    return m_edit->text();
}

void RevealableSecureField::setText(const QString &text)
{
    m_edit->setText(text);
}

void RevealableSecureField::setRevealed(bool revealed)
{
    m_revealed = revealed;
    m_edit->setEchoMode(revealed ? QLineEdit::Normal : QLineEdit::Password);
    updateButton();
}

void RevealableSecureField::updateButton()
{
    const QString label = (m_revealed ? u"Hide "_s : u"Show "_s) % m_what;
    m_button->setIcon(symbolIcon(m_revealed ? Symbol::conceal : Symbol::reveal));
    m_button->setToolTip(label);
    m_button->setAccessibleName(label);
}

} // namespace quorvane
