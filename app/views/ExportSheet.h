#pragma once

#include "app/views/KeySheet.h"

#include <QUuid>

namespace quorvane {

class PassphraseFields;

// "Export Key": a store-protected key leaves the machine only as a copy that
// opens with a passphrase.
class ExportSheet : public KeySheet
{
    Q_OBJECT

public:
    ExportSheet(const QUuid &id, QWidget *parent);

    const QUuid &id() const { return m_id; }
    PassphraseFields *passphraseFields() const { return m_passphrase; }

Q_SIGNALS:
    void exportWith(const QString &passphrase);

private:
    QUuid m_id;
    PassphraseFields *m_passphrase;
};

} // namespace quorvane
