#pragma once

#include <QWidget>

class QLabel;

namespace quorvane {

class RevealableSecureField;

// A new passphrase and its confirmation, with the rule it breaks and the
// mismatch shown while the user types.
class PassphraseFields : public QWidget
{
    Q_OBJECT

public:
    PassphraseFields(const QString &title, const QString &confirmTitle, QWidget *parent = nullptr);

    QString passphrase() const;
    // Follows the rules and both fields agree.
    bool acceptable() const;
    RevealableSecureField *first() const { return m_first; }
    RevealableSecureField *confirm() const { return m_confirm; }

Q_SIGNALS:
    void changed();
    void returnPressed();

private:
    void update();

    RevealableSecureField *m_first;
    RevealableSecureField *m_confirm;
    QLabel *m_rule;
    QLabel *m_mismatch;
};

} // namespace quorvane
