#pragma once

#include "kit/Failure.h"

#include <QByteArray>
#include <QString>
#include <QUuid>

#include <optional>

namespace quorvane {

// Where the file secrets of keys protected by the OS secret store live. One
// item per key, found by the key's id. Implementations run on the main thread.
class SecretStore
{
public:
    // Storing failed; the message names the store and the store's error code.
    class Failure : public quorvane::Failure
    {
    public:
        explicit Failure(int code);
        int code() const { return m_code; }

    private:
        int m_code;
    };

    virtual ~SecretStore() = default;

    // Puts a secret under id, replacing any secret stored there before. The
    // name only labels the item for the user. Throws Failure.
    virtual void storeSecret(const QByteArray &secret, const QUuid &id, const QString &name) = 0;
    // The secret stored under id; nothing when it is missing or the store
    // can't be reached, whatever the reason.
    virtual std::optional<QByteArray> secret(const QUuid &id) = 0;
    // Removes the secret under id; failures are ignored.
    virtual void deleteSecret(const QUuid &id) = 0;

    // What users of this platform call the store ("Keychain" on macOS) and the
    // machine a stored secret is tied to ("Mac"); used in the texts they see.
    static QString displayName();
    static QString machineName();

    // The item's label: "Quorvane key: " and the key's name.
    static QString label(const QString &name);
    // The upper-case UUID text that names a key's item and file.
    static QString idText(const QUuid &id);
};

} // namespace quorvane
