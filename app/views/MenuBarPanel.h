#pragma once

#include <QFrame>

#include <functional>

class QComboBox;
class QLabel;
class QToolButton;

namespace quorvane {

class AppModel;
class MenuBarSettings;
class MenuRow;

// What the panel's rows do beyond the app model: restoring the clipboard,
// starting a swap or a restore in the window, opening it, quitting.
struct MenuBarActions
{
    std::function<void()> restoreClipboard;
    std::function<void()> swapFile;
    std::function<void()> restoreFile;
    std::function<void()> openWindow;
    std::function<void()> quit;
};

// The tray panel: the key picker, the four rows, the last message, and the
// ways to the window and out. It reads the app model and the tray settings.
class MenuBarPanel : public QFrame
{
    Q_OBJECT

public:
    MenuBarPanel(AppModel &model, MenuBarSettings &settings, MenuBarActions actions, QWidget *parent = nullptr);

    static QString restoreTitle() { return QStringLiteral("Restore Clipboard"); }

Q_SIGNALS:
    // A row was used; a popup closes then.
    void done();

private:
    QWidget *header();
    MenuRow *row(MenuRow *made, std::function<void()> action);
    void refreshKeys();
    void refreshSettings();
    void refreshMessage();

    AppModel &m_model;
    MenuBarSettings &m_settings;
    MenuBarActions m_actions;
    QComboBox *m_keyPicker = nullptr;
    QLabel *m_keyLink = nullptr;
    MenuRow *m_restoreRow = nullptr;
    QLabel *m_message = nullptr;
    QAction *m_showAction = nullptr;
    QAction *m_shortcutAction = nullptr;
};

} // namespace quorvane
