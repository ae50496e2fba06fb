#pragma once

#include <QString>

#include <chrono>

namespace quorvane {

// Gives a stored secret the label the user's keyring manager lists, where the
// platform's store needs it set apart from Qt Keychain. A label that can't be
// set leaves the secret usable.
void labelKeychainItem(const QString &service, const QString &account, const QString &label,
                       std::chrono::milliseconds patience);

} // namespace quorvane
