#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace quorvane {

class MenuBarSettings;
class ModelChoice;

// Where the local language model server runs and which model it uses, and,
// given the tray settings, the two switches of the tray panel.
class PreferencesDialog : public QDialog
{
    Q_OBJECT

public:
    PreferencesDialog(ModelChoice &choice, MenuBarSettings *menuBar = nullptr, QWidget *parent = nullptr);

    QLineEdit *address() const { return m_address; }
    QLineEdit *modelName() const { return m_model; }
    QCheckBox *allowRemote() const { return m_remote; }
    QLabel *problem() const { return m_problem; }

private:
    void addTraySwitches(MenuBarSettings &menuBar);
    void check();
    void save();

    ModelChoice &m_choice;
    QLineEdit *m_address;
    QLineEdit *m_model;
    QCheckBox *m_remote;
    QLabel *m_problem;
    QPushButton *m_ok = nullptr;
};

} // namespace quorvane
