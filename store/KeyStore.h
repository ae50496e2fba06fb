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
// sealed files and secrets and keeps the rules of what may join them; it
// never opens a key.
class KeyStore
{
public:
    // What the rules refuse, in a short title and a sentence; message() joins
    // the two for callers that show no title.
    class Refusal : public Failure
    {
    public:
        Refusal(QString title, QString detail);
        const QString &title() const { return m_title; }
        const QString &detail() const { return m_detail; }

    private:
        QString m_title;
        QString m_detail;
    };

    // The keys folder in the per-user application data location, or the
    // folder named by QUORVANE_KEYS_DIR when that is set.
    static QString defaultDirectory();

    KeyStore(SecretStore &secrets, const QString &directory = defaultDirectory());

    // Reads and decodes a key file anywhere on disk, refusing one far larger
    // than any key. Throws Failure naming the file, or KeyFile::Failure.
    static KeyFile readFile(const QString &path);

    const QString &keysDirectory() const { return m_directory; }
    // <folder>/<UPPER-CASE-UUID>.quorvanekey
    QString filePath(const QUuid &id) const;

    // Every readable key file in the folder, oldest first; files that can't
    // be read or aren't key files are left out. Never fails.
    QList<KeyFile> list() const;
    // Writes a key file atomically, replacing its earlier version and creating
    // the folder when needed. Throws Failure with the file system's error.
    // A file handed over whole has its text written over its box.
    void save(KeyFile file) const;
    // Removes a key's file and its secret; never fails.
    void deleteKey(const QUuid &id) const;

    void storeSecret(const QByteArray &secret, const QUuid &id, const QString &name) const;
    std::optional<QByteArray> secret(const QUuid &id) const;
    // The secret of a store-protected key; throws Refusal when the secret
    // store doesn't hold it (a key made on another machine).
    QByteArray requiredSecret(const QUuid &id) const;

    // Reads an exported key file and adds it to the keys unchanged. Only a
    // passphrase-protected key that isn't there yet is taken; `exportStep`
    // tells the user how to export such a copy ("choose Export…"). Throws
    // Refusal for the others, Failure when reading, decoding or storing fails.
    KeyFile importFile(const QString &path, const QString &exportStep) const;
    void deleteSecret(const QUuid &id) const;

    SecretStore &secrets() const { return m_secrets; }

private:
    SecretStore &m_secrets;
    QString m_directory;
};

} // namespace quorvane
