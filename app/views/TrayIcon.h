#pragma once

#include <QObject>

class QSystemTrayIcon;

namespace quorvane {

class MenuBarPanel;
class MenuBarSettings;

// The icon in the system tray (the menu bar on macOS), shown while the panel
// setting is on; a click opens the panel beside it.
class TrayIcon : public QObject
{
    Q_OBJECT

public:
    TrayIcon(MenuBarSettings &settings, MenuBarPanel *panel, QObject *parent = nullptr);
    ~TrayIcon() override;

    void showPanel();

private:
    void follow();

    MenuBarSettings &m_settings;
    MenuBarPanel *m_panel;
    QSystemTrayIcon *m_icon;
};

} // namespace quorvane
