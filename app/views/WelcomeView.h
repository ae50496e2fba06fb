#pragma once

#include <QWidget>

class QPushButton;

namespace quorvane {

class AppModel;

// What a user without keys sees: what the app does, in three steps, and the
// two ways to get a key.
class WelcomeView : public QWidget
{
    Q_OBJECT

public:
    explicit WelcomeView(AppModel &model, QWidget *parent = nullptr);

    QPushButton *newKeyButton() const { return m_newKey; }
    QPushButton *importButton() const { return m_import; }

private:
    QPushButton *m_newKey;
    QPushButton *m_import;
};

} // namespace quorvane
