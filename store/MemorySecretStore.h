#pragma once

#include "store/SecretStore.h"

#include <QHash>

namespace quorvane {

// A secret store held in memory, for tests and for runs that must not touch
// the user's real store. It can be told to refuse writes, like a locked store.
class MemorySecretStore : public SecretStore
{
public:
    struct Item
    {
        QByteArray secret;
        QString label;
    };

    void storeSecret(const QByteArray &secret, const QUuid &id, const QString &name) override;
    std::optional<QByteArray> secret(const QUuid &id) override;
    void deleteSecret(const QUuid &id) override;

    // When set, storing fails with this error code.
    std::optional<int> refuseWrites;
    QHash<QUuid, Item> items;
};

} // namespace quorvane
