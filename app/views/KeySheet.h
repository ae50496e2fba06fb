#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;
class QVBoxLayout;

namespace quorvane {

// What the three key sheets share: window-modal over the main window, a
// heading, Cancel and one action button, and a working state while a key is
// derived in the background (the sheet waits, the window stays responsive).
class KeySheet : public QDialog
{
    Q_OBJECT

public:
    KeySheet(const QString &title, const QString &action, QWidget *parent);

    QPushButton *actionButton() const { return m_action; }
    QPushButton *cancelButton() const { return m_cancel; }
    bool working() const { return m_working; }
    void setWorking(bool working);
    // Escape and Cancel do nothing while a key is being derived.
    void reject() override;

protected:
    QVBoxLayout *content() const { return m_content; }
    void setActionEnabled(bool enabled);

Q_SIGNALS:
    void actionTriggered();

private:
    void refreshAction();

    QVBoxLayout *m_content;
    QProgressBar *m_busy;
    QPushButton *m_cancel;
    QPushButton *m_action;
    bool m_working = false;
    bool m_actionEnabled = true;
};

} // namespace quorvane
