#include "store/SecretStore.h"

namespace quorvane {

// The words users of macOS know the store and their machine by.
QString SecretStore::displayName()
{
    return QStringLiteral("Keychain");
}

QString SecretStore::machineName()
{
    return QStringLiteral("Mac");
}

} // namespace quorvane
