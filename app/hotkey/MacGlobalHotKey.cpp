// The Carbon event manager's hot keys: the one global-shortcut service macOS
// offers without accessibility permissions.
#include "app/hotkey/GlobalHotKey.h"

#include <Carbon/Carbon.h>

namespace quorvane {

namespace {

class MacGlobalHotKey : public GlobalHotKey
{
public:
    ~MacGlobalHotKey() override { unregisterHotKey(); }

    bool registerHotKey(std::function<void()> action) override
    {
        unregisterHotKey();
        if (!installHandler())
            return false;
        const EventHotKeyID id{'QRVN', 1};
        if (RegisterEventHotKey(kVK_ANSI_R, controlKey | optionKey | cmdKey, id, GetApplicationEventTarget(), 0,
                                &m_hotKey)
            != noErr) {
            m_hotKey = nullptr;
            return false;
        }
        m_action = std::move(action);
        return true;
    }

    void unregisterHotKey() override
    {
        if (m_hotKey)
            UnregisterEventHotKey(m_hotKey);
        m_hotKey = nullptr;
        m_action = nullptr;
    }

    bool isRegistered() const override { return m_hotKey != nullptr; }

private:
    // Installed once and kept for the application's life; only the hot key comes and goes.
    bool installHandler()
    {
        if (m_handler)
            return true;
        const EventTypeSpec pressed{kEventClassKeyboard, kEventHotKeyPressed};
        return InstallApplicationEventHandler(&MacGlobalHotKey::pressed, 1, &pressed, this, &m_handler) == noErr;
    }

    static OSStatus pressed(EventHandlerCallRef, EventRef, void *self)
    {
        auto *hotKey = static_cast<MacGlobalHotKey *>(self);
        if (hotKey->m_action)
            hotKey->m_action();
        return noErr;
    }

    std::function<void()> m_action;
    EventHotKeyRef m_hotKey = nullptr;
    EventHandlerRef m_handler = nullptr;
};

} // namespace

std::unique_ptr<GlobalHotKey> GlobalHotKey::forPlatform()
{
    return std::make_unique<MacGlobalHotKey>();
}

QString GlobalHotKey::shortcutText()
{
    return QStringLiteral("⌃⌥⌘R");
}

} // namespace quorvane
