#pragma once

#include <QObject>

#include <functional>

class QSettings;

namespace quorvane {

class GlobalHotKey;

// The two settings of the tray panel ("showInMenuBar", off by default) and
// the hot key ("menuBarShortcut", on by default, also when never set), and
// keeping the hot key registered exactly while both are on.
class MenuBarSettings : public QObject
{
    Q_OBJECT

public:
    static inline const QString showKey = QStringLiteral("showInMenuBar");
    static inline const QString shortcutKey = QStringLiteral("menuBarShortcut");

    MenuBarSettings(QSettings &settings, GlobalHotKey &hotKey, std::function<void()> hotKeyAction,
                    QObject *parent = nullptr);

    bool show() const;
    bool shortcut() const;
    // Each stores the setting and applies both at once.
    void setShow(bool on);
    void setShortcut(bool on);
    // Registers the hot key when both settings are on, unregisters it otherwise.
    void apply();

Q_SIGNALS:
    void changed();

private:
    QSettings &m_settings;
    GlobalHotKey &m_hotKey;
    std::function<void()> m_action;
};

} // namespace quorvane
