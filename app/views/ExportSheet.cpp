#include "app/views/ExportSheet.h"

#include "app/views/PassphraseFields.h"
#include "app/views/PlatformWords.h"
#include "app/views/RevealableSecureField.h"
#include "app/views/TabOrder.h"

#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace quorvane {

ExportSheet::ExportSheet(const QUuid &id, QWidget *parent)
    : KeySheet(u"Export Key"_s, u"Export Key"_s, parent)
    , m_id(id)
    , m_passphrase(new PassphraseFields(u"Passphrase for the copy"_s, u"Confirm passphrase"_s, this))
{
    auto *note = new QLabel(u"The exported copy opens with a passphrase, so you can keep it as a backup or use it on "
                            u"another "_s
                                % PlatformWords::machine() % u". Your key here keeps opening with the "_s
                                % PlatformWords::store() % u"."_s,
                            this);
    note->setWordWrap(true);
    content()->addWidget(note);
    content()->addWidget(m_passphrase);
    m_passphrase->first()->setFocus();
    chainTabOrder({m_passphrase->first(), m_passphrase->confirm(), cancelButton(), actionButton()});
    connect(m_passphrase, &PassphraseFields::changed, this,
            [this] { setActionEnabled(m_passphrase->acceptable()); });
    connect(m_passphrase, &PassphraseFields::returnPressed, actionButton(), &QPushButton::click);
    connect(this, &KeySheet::actionTriggered, this, [this] { Q_EMIT exportWith(m_passphrase->passphrase()); });
    setActionEnabled(false);
}

} // namespace quorvane
