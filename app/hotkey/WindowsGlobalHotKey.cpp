// RegisterHotKey with no window: WM_HOTKEY then arrives in the main thread's
// message queue, where Qt's native event filter sees it.
#include "app/hotkey/GlobalHotKey.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>

#include <windows.h>

namespace quorvane {

namespace {

constexpr int hotKeyId = 0x5152; // any id of ours; only this thread's hot keys share the space

class WindowsGlobalHotKey : public GlobalHotKey, private QAbstractNativeEventFilter
{
public:
    ~WindowsGlobalHotKey() override
    {
        unregisterHotKey();
        if (m_filterInstalled)
            QCoreApplication::instance()->removeNativeEventFilter(this);
    }

    bool registerHotKey(std::function<void()> action) override
    {
        unregisterHotKey();
        if (!RegisterHotKey(nullptr, hotKeyId, MOD_CONTROL | MOD_ALT | MOD_WIN | MOD_NOREPEAT, 'R'))
            return false;
        if (!m_filterInstalled) {
            QCoreApplication::instance()->installNativeEventFilter(this);
            m_filterInstalled = true;
        }
        m_registered = true;
        m_action = std::move(action);
        return true;
    }

    void unregisterHotKey() override
    {
        if (m_registered)
            UnregisterHotKey(nullptr, hotKeyId);
        m_registered = false;
        m_action = nullptr;
    }

    bool isRegistered() const override { return m_registered; }

private:
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override
    {
        if (!m_registered || eventType != "windows_generic_MSG")
            return false;
        const MSG *msg = static_cast<const MSG *>(message);
        if (msg->message != WM_HOTKEY || msg->wParam != hotKeyId)
            return false;
        if (m_action)
            m_action();
        return true;
    }

    std::function<void()> m_action;
    bool m_registered = false;
    bool m_filterInstalled = false;
};

} // namespace

std::unique_ptr<GlobalHotKey> GlobalHotKey::forPlatform()
{
    return std::make_unique<WindowsGlobalHotKey>();
}

QString GlobalHotKey::shortcutText()
{
    return QStringLiteral("Ctrl+Alt+Win+R");
}

} // namespace quorvane
