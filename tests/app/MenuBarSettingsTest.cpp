#include "app/MenuBarSettings.h"
#include "app/hotkey/GlobalHotKey.h"

#include <QSettings>

#include <gtest/gtest.h>

using namespace quorvane;

namespace {

// Counts what the settings ask of the platform; `refuse` plays another program
// holding the combination.
struct FakeHotKey : GlobalHotKey
{
    std::function<void()> action;
    int registrations = 0;
    bool refuse = false;

    bool registerHotKey(std::function<void()> a) override
    {
        ++registrations;
        if (refuse)
            return false;
        action = std::move(a);
        return true;
    }
    void unregisterHotKey() override { action = nullptr; }
    bool isRegistered() const override { return bool(action); }
};

struct MenuBarSettingsTest : ::testing::Test
{
    void SetUp() override { settings.clear(); }

    QSettings settings;
    FakeHotKey hotKey;
    int restores = 0;
    MenuBarSettings menuBar{settings, hotKey, [this] { ++restores; }};
};

} // namespace

TEST_F(MenuBarSettingsTest, TheHotKeyIsLiveOnlyWhileThePanelAndTheShortcutAreOn)
{
    menuBar.apply();
    EXPECT_EQ(std::pair(menuBar.show(), menuBar.shortcut()), std::pair(false, true));
    EXPECT_FALSE(hotKey.isRegistered()); // the panel is off, whatever the shortcut says

    menuBar.setShow(true);
    ASSERT_TRUE(hotKey.isRegistered());
    hotKey.action();
    EXPECT_EQ(restores, 1);

    menuBar.setShortcut(false);
    EXPECT_FALSE(hotKey.isRegistered());
    menuBar.setShortcut(true);
    menuBar.apply();
    EXPECT_EQ(hotKey.registrations, 2); // once per time it was turned on, never twice at once
    EXPECT_EQ(settings.value(MenuBarSettings::showKey).toBool(), true);

    menuBar.setShow(false);
    EXPECT_FALSE(hotKey.isRegistered());
}

TEST_F(MenuBarSettingsTest, ARefusedRegistrationLeavesTheHotKeyInactive)
{
    hotKey.refuse = true;
    menuBar.setShow(true);
    EXPECT_EQ(std::pair(hotKey.registrations, hotKey.isRegistered()), std::pair(1, false));
}
