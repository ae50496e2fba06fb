#pragma once

#include "app/hotkey/GlobalHotKey.h"

#include <QAbstractNativeEventFilter>

#include <cstdint>

namespace quorvane {

// A key grab on the X root window, with the NumLock and CapsLock variants so
// the combination works whatever those locks say. Presses arrive through a
// native event filter on the main thread.
class X11GlobalHotKey : public GlobalHotKey, private QAbstractNativeEventFilter
{
public:
    X11GlobalHotKey();
    ~X11GlobalHotKey() override;

    bool registerHotKey(std::function<void()> action) override;
    void unregisterHotKey() override;
    bool isRegistered() const override { return m_keycode != 0; }

private:
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;
    bool grab(uint8_t keycode);

    std::function<void()> m_action;
    uint8_t m_keycode = 0;
    bool m_filterInstalled = false;
};

} // namespace quorvane
