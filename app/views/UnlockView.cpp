#include "app/views/UnlockView.h"

#include "app/AppModel.h"
#include "app/views/PlatformWords.h"
#include "app/views/RevealableSecureField.h"
#include "app/views/Symbols.h"
#include "app/views/TabOrder.h"
#include "app/views/ViewText.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace quorvane {

UnlockView::UnlockView(AppModel &model, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_title(headingLabel(QString(), this, 1.4))
    , m_text(bodyLabel(QString(), this))
    , m_passphrase(new RevealableSecureField(u"Passphrase"_s, u"passphrase"_s, this))
    , m_unlock(new QPushButton(u"Unlock"_s, this))
    , m_wrongText(bodyLabel(u"That passphrase doesn’t open this key."_s, this))
{
    auto *lock = new QLabel(this);
    lock->setPixmap(symbolIcon(Symbol::lock).pixmap(40, 40));
    lock->setAlignment(Qt::AlignCenter);
    m_title->setAlignment(Qt::AlignCenter);
    m_text->setAlignment(Qt::AlignCenter);
    m_wrongText->setAlignment(Qt::AlignCenter);
    m_wrongText->setStyleSheet(u"color: #b3261e;"_s);
    m_wrongText->setObjectName(u"wrongPassphrase"_s);
    m_wrongText->hide();
    m_unlock->setDefault(true);
    m_passphrase->setMinimumWidth(280);
    auto *entry = new QHBoxLayout;
    entry->addStretch(1);
    entry->addWidget(m_passphrase);
    entry->addWidget(m_unlock);
    entry->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 32, 32, 32);
    layout->setSpacing(12);
    layout->addStretch(1);
    layout->addWidget(lock);
    layout->addWidget(m_title);
    layout->addWidget(m_text);
    layout->addLayout(entry);
    layout->addWidget(m_wrongText);
    layout->addStretch(2);
    chainTabOrder({m_passphrase->edit(), m_passphrase->revealButton(), m_unlock});

    connect(m_unlock, &QPushButton::clicked, this, &UnlockView::unlock);
    connect(m_passphrase, &RevealableSecureField::returnPressed, this, &UnlockView::unlock);
    connect(m_passphrase, &RevealableSecureField::textChanged, this, &UnlockView::updateButton);
    connect(&m_model, &AppModel::unlockingChanged, this, &UnlockView::updateButton);
}

void UnlockView::showSelectedKey()
{
    const std::optional<KeyFile> file = m_model.selectedFile();
    if (!file)
        return;
    if (file->id() != m_shown) {
        m_shown = file->id();
        m_passphrase->setText(QString());
        m_passphrase->setRevealed(false);
        setWrong(false);
    }
    const bool withPassphrase = file->protection().isPassphrase();
    m_title->setText(u"“"_s % file->name() % u"” is locked"_s);
    m_text->setText(withPassphrase ? u"Type its passphrase to open it. Quorvane never stores the passphrase."_s
                                   : u"This key opens with the "_s % PlatformWords::store() % u" on the "_s
                                         % PlatformWords::machine() % u" that made it."_s);
    m_passphrase->setVisible(withPassphrase);
    m_unlock->setVisible(withPassphrase);
    updateButton();
}

void UnlockView::unlock()
{
    const std::optional<KeyFile> file = m_model.selectedFile();
    if (!file || !m_unlock->isEnabled())
        return;
    QPointer<UnlockView> self(this);
    m_model.unlock(*file, m_passphrase->text(), [self, id = file->id()](bool opened) {
        // The user may have moved on to another key meanwhile.
        if (!self || self->m_shown != id)
            return;
        self->setWrong(!opened);
        if (opened)
            self->m_passphrase->setText(QString());
    });
}

void UnlockView::setWrong(bool wrong)
{
    m_wrong = wrong;
    m_wrongText->setVisible(wrong);
    if (wrong)
        m_passphrase->edit()->selectAll();
}

void UnlockView::updateButton()
{
    m_unlock->setEnabled(!m_model.unlocking() && !m_passphrase->text().isEmpty());
}

} // namespace quorvane
