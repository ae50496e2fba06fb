#include "store/SecretStore.h"

namespace quorvane {

// The words users of the Secret Service know the store and their machine by.
QString SecretStore::displayName()
{
    return QStringLiteral("keyring");
}

QString SecretStore::machineName()
{
    return QStringLiteral("computer");
}

} // namespace quorvane
