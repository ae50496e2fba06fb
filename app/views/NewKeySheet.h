#pragma once

#include "app/views/KeySheet.h"

#include <optional>

class QLineEdit;
class QRadioButton;

namespace quorvane {

class PassphraseFields;

// "New Project Key": a name and the protection, with a passphrase when the
// key should open on another machine after export.
class NewKeySheet : public KeySheet
{
    Q_OBJECT

public:
    explicit NewKeySheet(QWidget *parent);

    QLineEdit *nameField() const { return m_name; }
    QRadioButton *storeChoice() const { return m_store; }
    QRadioButton *passphraseChoice() const { return m_usePassphrase; }
    PassphraseFields *passphraseFields() const { return m_passphrase; }

Q_SIGNALS:
    // Nothing as the passphrase means the OS secret store protects the key.
    void makeKey(const QString &name, const std::optional<QString> &passphrase);

private:
    void update();

    QLineEdit *m_name;
    QRadioButton *m_store;
    QRadioButton *m_usePassphrase;
    QWidget *m_passphraseBox;
    PassphraseFields *m_passphrase;
};

} // namespace quorvane
