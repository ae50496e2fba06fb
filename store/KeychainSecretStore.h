#pragma once

#include "store/SecretStore.h"

#include <chrono>

namespace quorvane {

// File secrets in the OS secret store (the Keychain on macOS, the Secret
// Service on Linux, the Credential Manager on Windows), as generic passwords
// under the service "<application id>.Quorvane.key" and the key's upper-case id.
class KeychainSecretStore : public SecretStore
{
public:
    static inline const QString applicationId = QStringLiteral("org.quorvane.Quorvane");
    static QString service() { return applicationId + QStringLiteral(".Quorvane.key"); }

    // A store that doesn't answer within `patience` counts as failed, so a
    // prompt nobody sees or a stuck daemon can't hang the program.
    explicit KeychainSecretStore(std::chrono::milliseconds patience = std::chrono::seconds(60));

    void storeSecret(const QByteArray &secret, const QUuid &id, const QString &name) override;
    std::optional<QByteArray> secret(const QUuid &id) override;
    void deleteSecret(const QUuid &id) override;

private:
    std::chrono::milliseconds m_patience;
};

} // namespace quorvane
