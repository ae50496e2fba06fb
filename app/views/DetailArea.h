#pragma once

#include <QStackedWidget>

namespace quorvane {

class AppModel;
class ChooseKeyView;
class SessionTabs;
class UnlockView;
class WelcomeView;

// The right side of the window, by state: welcome without keys, a prompt
// without a selection, the unlock view for a locked key, else the tabs.
class DetailArea : public QStackedWidget
{
    Q_OBJECT

public:
    explicit DetailArea(AppModel &model, QWidget *parent = nullptr);

    WelcomeView *welcome() const { return m_welcome; }
    ChooseKeyView *chooseKey() const { return m_chooseKey; }
    UnlockView *unlock() const { return m_unlock; }
    SessionTabs *tabs() const { return m_tabs; }

private:
    void refresh();

    AppModel &m_model;
    WelcomeView *m_welcome;
    ChooseKeyView *m_chooseKey;
    UnlockView *m_unlock;
    SessionTabs *m_tabs;
};

} // namespace quorvane
