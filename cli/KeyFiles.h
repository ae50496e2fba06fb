#pragma once

#include "cli/Command.h"
#include "store/AtomicFile.h"
#include "kit/keys/KeyFile.h"

namespace quorvane {
class KeyStore;
}

#include <QByteArray>
#include <QString>

namespace quorvane::cli {

// A key file opened from disk, with the file secret that opened it so changes
// can be sealed again under the same protection.
struct OpenedKey
{
    QString path;
    KeyFile file;
    ProjectKey key;
    QByteArray fileSecret;
    bool stored = false; // one of the user's stored keys, saved back through the key store

    OpenedKey(QString path, KeyFile file, ProjectKey key, QByteArray fileSecret, bool stored = false);
    ~OpenedKey();
    OpenedKey(const OpenedKey &) = delete;
    OpenedKey &operator=(const OpenedKey &) = delete;

    // Seals the key again (same protection and file secret, fresh nonce) and
    // replaces the file it came from.
    void save() const;
};

// A key a command named, found but not opened.
struct FoundKey
{
    QString path;
    KeyFile file;
    bool stored = false;
    // Picked by the name in its file, which only opening the key checks.
    bool byName = false;
};

// The user's stored keys, with the secrets of store-protected keys in the OS
// secret store.
KeyStore &keyStore();

// Finds the key a command names: a key file's path, a stored key's id, or the
// name of exactly one stored key. Throws quorvane::Failure.
FoundKey findKey(const QString &reference);
// Finds and opens a key (see findKey): with its passphrase, asked for as the
// invocation says, or with its secret from the OS secret store. Every command
// that takes a key opens it through here and saves it back with save().
OpenedKey openKey(const Invocation &invocation, const QString &reference);
// The same, reading the key's JSON with `read`, for a command that keeps more of it.
OpenedKey openKey(const Invocation &invocation, const QString &reference, const KeyFile::Reader &read);
// The same as openKey.
inline OpenedKey openKeyFile(const Invocation &invocation, const QString &reference)
{
    return openKey(invocation, reference);
}
// How a key is protected, as listings show it: "passphrase" or "keychain".
QString protectionText(const KeyFile::Protection &protection);

} // namespace quorvane::cli
