#pragma once

#include "app/hotkey/GlobalHotKey.h"

namespace quorvane {

// Where no global-shortcut service works (Wayland without a portal, the
// offscreen platform): every registration fails, quietly.
class NoGlobalHotKey : public GlobalHotKey
{
public:
    bool registerHotKey(std::function<void()>) override { return false; }
    void unregisterHotKey() override {}
    bool isRegistered() const override { return false; }
};

} // namespace quorvane
