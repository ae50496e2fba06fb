#pragma once

#include "app/AppModel.h"
#include "app/views/KeySheet.h"

#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>

namespace quorvane {

class DetailArea;

class KeySidebar;
class MenuBarSettings;
class Panels;

// The one main window: keys on the left, the selected key's views on the
// right, the key sheets, the delete confirmation, alerts and the menus. It
// reads the app model and calls it; it keeps no key state of its own.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    MainWindow(AppModel &model, Panels &panels, QWidget *parent = nullptr);

    KeySidebar *sidebar() const { return m_sidebar; }
    DetailArea *detail() const { return m_detail; }
    KeySheet *currentSheet() const { return m_sheet; }
    QMessageBox *alert() const { return m_alert; }
    QMessageBox *deleteConfirmation() const { return m_confirmDelete; }
    // The menu command with this text ("New Key…").
    QAction *command(const QString &text) const;

    void chooseFile(AppModel::Tab tab);
    // The tray settings, shown in Preferences once the application has them.
    void setMenuBarSettings(MenuBarSettings *menuBar) { m_menuBar = menuBar; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildToolbar();
    void buildMenus();
    void updateCommands();
    void showSheet();
    KeySheet *makeSheet(const AppModel::Sheet &sheet);
    void showProblem();
    void confirmDelete();
    void showHelp();
    void showAbout();
    void showPreferences();
    void restoreSettings();

    AppModel &m_model;
    Panels &m_panels;
    MenuBarSettings *m_menuBar = nullptr;
    KeySidebar *m_sidebar;
    DetailArea *m_detail;
    QPointer<KeySheet> m_sheet;
    QPointer<QMessageBox> m_alert;
    QPointer<QMessageBox> m_confirmDelete;
    QPointer<QWidget> m_help;
    QList<QAction *> m_commands;
};

} // namespace quorvane
