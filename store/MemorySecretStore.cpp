#include "store/MemorySecretStore.h"

namespace quorvane {

void MemorySecretStore::storeSecret(const QByteArray &secret, const QUuid &id, const QString &name)
{
    if (refuseWrites)
        throw Failure(*refuseWrites);
    items.insert(id, {secret, label(name)});
}

std::optional<QByteArray> MemorySecretStore::secret(const QUuid &id)
{
    const auto found = items.constFind(id);
    if (found == items.constEnd())
        return std::nullopt;
    return found->secret;
}

void MemorySecretStore::deleteSecret(const QUuid &id)
{
    items.remove(id);
}

} // namespace quorvane
