#pragma once

#include <QUuid>
#include <QWidget>

class QLabel;
class QPushButton;

namespace quorvane {

class AppModel;
class RevealableSecureField;

// The selected key is locked: a passphrase key asks for its passphrase, a
// store-protected key says where it opens.
class UnlockView : public QWidget
{
    Q_OBJECT

public:
    explicit UnlockView(AppModel &model, QWidget *parent = nullptr);

    // Shows the selected key, forgetting what was typed for another one.
    void showSelectedKey();

    RevealableSecureField *passphraseField() const { return m_passphrase; }
    QPushButton *unlockButton() const { return m_unlock; }
    bool wrong() const { return m_wrong; }

private:
    void unlock();
    void setWrong(bool wrong);
    void updateButton();

    AppModel &m_model;
    QUuid m_shown;
    QLabel *m_title;
    QLabel *m_text;
    RevealableSecureField *m_passphrase;
    QPushButton *m_unlock;
    QLabel *m_wrongText;
    bool m_wrong = false;
};

} // namespace quorvane
