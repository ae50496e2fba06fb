#include "app/MenuBarSettings.h"

#include "app/hotkey/GlobalHotKey.h"

#include <QSettings>

namespace quorvane {

MenuBarSettings::MenuBarSettings(QSettings &settings, GlobalHotKey &hotKey, std::function<void()> hotKeyAction,
                                 QObject *parent)
    : QObject(parent), m_settings(settings), m_hotKey(hotKey), m_action(std::move(hotKeyAction))
{
}

bool MenuBarSettings::show() const
{
    return m_settings.value(showKey, false).toBool();
}

bool MenuBarSettings::shortcut() const
{
    return m_settings.value(shortcutKey, true).toBool();
}

void MenuBarSettings::setShow(bool on)
{
    m_settings.setValue(showKey, on);
    apply();
    Q_EMIT changed();
}

void MenuBarSettings::setShortcut(bool on)
{
    m_settings.setValue(shortcutKey, on);
    apply();
    Q_EMIT changed();
}

void MenuBarSettings::apply()
{
    if (!show() || !shortcut()) {
        m_hotKey.unregisterHotKey();
        return;
    }
    // Registering again while registered would only replace the grab; a
    // failure leaves the hot key inactive, without a message.
    if (!m_hotKey.isRegistered())
        m_hotKey.registerHotKey(m_action);
}

} // namespace quorvane
