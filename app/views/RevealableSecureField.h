#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace quorvane {

// A passphrase field whose trailing button shows or hides what was typed.
// Switching puts the focus back in the field, so typing carries on.
class RevealableSecureField : public QWidget
{
    Q_OBJECT

public:
    // title: the field's placeholder and accessible name; what: the thing
    // entered, as the button names it ("Hide passphrase").
    RevealableSecureField(const QString &title, const QString &what, QWidget *parent = nullptr);

    QString text() const;
    void setText(const QString &text);
    bool revealed() const { return m_revealed; }
    void setRevealed(bool revealed);
    QLineEdit *edit() const { return m_edit; }
    QToolButton *revealButton() const { return m_button; }

Q_SIGNALS:
    void textChanged(const QString &text);
    void returnPressed();

private:
    void updateButton();

    QString m_what;
    QLineEdit *m_edit;
    QToolButton *m_button;
    bool m_revealed = false;
};

} // namespace quorvane
