#include "store/SecretStore.h"

namespace quorvane {

// The words users of Windows know the store and their machine by.
QString SecretStore::displayName()
{
    return QStringLiteral("Credential Manager");
}

QString SecretStore::machineName()
{
    return QStringLiteral("computer");
}

} // namespace quorvane
