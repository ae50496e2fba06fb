#include "store/KeychainItemLabel.h"

namespace quorvane {

// The Keychain and the Credential Manager show the label Qt Keychain gives.
void labelKeychainItem(const QString &, const QString &, const QString &, std::chrono::milliseconds) {}

} // namespace quorvane
