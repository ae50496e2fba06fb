#pragma once

#include <QString>

#include <functional>
#include <memory>

namespace quorvane {

// The system-wide hot key that restores the clipboard from any application:
// Control, Option and Command with R on macOS, Ctrl+Alt+Super+R elsewhere.
// One backend per platform; each delivers the press on the main thread.
class GlobalHotKey
{
public:
    virtual ~GlobalHotKey() = default;

    // Replaces any registered hot key and action. False when the platform
    // refused it (another program holds the combination, or there is no
    // global-shortcut service); the hot key then stays inactive.
    virtual bool registerHotKey(std::function<void()> action) = 0;
    virtual void unregisterHotKey() = 0;
    virtual bool isRegistered() const = 0;

    // The backend of the platform this build runs on (a no-op one where none works).
    static std::unique_ptr<GlobalHotKey> forPlatform();
    // The combination as this platform spells it.
    static QString shortcutText();
};

} // namespace quorvane
