#pragma once

#include <QString>

namespace quorvane {

// Words of the window's texts that follow the platform really in use: the
// secret store's name as a label ("Keychain") and inside a sentence ("the
// Keychain"), and the machine a stored secret is tied to ("Mac").
struct PlatformWords
{
    static QString storeLabel();
    static QString store();
    static QString machine();
    // Where the panel icon lives: the menu bar on macOS, the system tray elsewhere.
    static QString panelArea();
};

} // namespace quorvane
