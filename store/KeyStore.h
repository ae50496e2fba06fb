#pragma once

#include "store/SecretStore.h"
#include "kit/keys/KeyFile.h"

#include <QList>
#include <QString>
#include <QUuid>

#include <optional>

namespace quorvane {

// The user's stored keys: one key file per key in the keys folder, and the
// file secrets of store-protected keys in the OS secret store. It moves
// sealed files and secrets; it never looks inside a key.
class KeyStore
{
public:
    // The keys folder in the per-user application data location, or the
    // folder named by QUORVANE_KEYS_DIR when that is set.
    static QString defaultDirectory();

    KeyStore(SecretStore &secrets, const QString &directory = defaultDirectory());

    const QString &keysDirectory() const { return m_directory; }
    // <folder>/<UPPER-CASE-UUID>.quorvanekey
    QString filePath(const QUuid &id) const;

    // Every readable key file in the folder, oldest first; files that can't
    // be read or aren't key files are left out. Never fails.
    QList<KeyFile> list() const;
    // Writes a key file atomically, replacing its earlier version and creating
    // the folder when needed. Throws Failure with the file system's error.
    void save(const KeyFile &file) const;
    // Removes a key's file and its secret; never fails.
    void deleteKey(const QUuid &id) const;

    void storeSecret(const QByteArray &secret, const QUuid &id, const QString &name) const;
    std::optional<QByteArray> secret(const QUuid &id) const;
    void deleteSecret(const QUuid &id) const;

    SecretStore &secrets() const { return m_secrets; }

private:
    SecretStore &m_secrets;
    QString m_directory;
};

} // namespace quorvane
