#include "cli/KeyFiles.h"

#include "store/AtomicFile.h"
#include "store/KeyStore.h"
#include "store/KeychainSecretStore.h"
#include "cli/Passphrase.h"
#include "kit/keys/Crypto.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace quorvane::cli {

OpenedKey::OpenedKey(QString path_, KeyFile file_, ProjectKey key_, QByteArray fileSecret_, bool stored_)
    : path(std::move(path_))
    , file(std::move(file_))
    , key(std::move(key_))
    , fileSecret(std::move(fileSecret_))
    , stored(stored_)
{
}

OpenedKey::~OpenedKey()
{
    crypto::wipe(fileSecret);
    key.wipeSecret();
}

void OpenedKey::save() const
{
    KeyFile sealed = KeyFile::seal(key, file.protection(), fileSecret);
    if (stored)
        keyStore().save(std::move(sealed));
    else
        writeAtomically(path, std::move(sealed).takeData());
}

KeyStore &keyStore()
{
    static KeychainSecretStore secrets;
    static KeyStore store(secrets);
    return store;
}

FoundKey findKey(const QString &reference)
{
    if (QFileInfo(reference).isFile()) {
        // A path into the keys folder is a stored key all the same.
        KeyFile file = KeyStore::readFile(reference);
        const QString storedPath = keyStore().filePath(file.id());
        const bool stored = QFileInfo(storedPath).canonicalFilePath() == QFileInfo(reference).canonicalFilePath();
        return {reference, std::move(file), stored};
    }
    const QList<KeyFile> keys = keyStore().list();
    const QUuid id(reference.trimmed());
    QList<KeyFile> matches;
    for (const KeyFile &file : keys) {
        if ((!id.isNull() && file.id() == id) || file.name() == reference)
            matches.append(file);
    }
    if (matches.isEmpty()) {
        for (const KeyFile &file : keys) {
            if (file.name().compare(reference.trimmed(), Qt::CaseInsensitive) == 0)
                matches.append(file);
        }
    }
    if (matches.size() > 1)
        throw Failure(u"More than one of your keys is called “%1”; name it by its id (see “quorvane key list”)."_s.arg(reference));
    if (matches.isEmpty())
        throw Failure(u"There’s no key file, key id or key name “%1” (see “quorvane key list”)."_s.arg(reference));
    const bool byName = id.isNull() || matches.first().id() != id;
    return {keyStore().filePath(matches.first().id()), matches.first(), true, byName};
}

OpenedKey openKey(const Invocation &invocation, const QString &reference)
{
    return openKey(invocation, reference, ProjectKey::fromJson);
}

OpenedKey openKey(const Invocation &invocation, const QString &reference, const KeyFile::Reader &read)
{
    FoundKey found = findKey(reference);
    const KeyFile &file = found.file;
    QByteArray secret;
    if (file.protection().isPassphrase()) {
        const QString passphrase = obtainPassphrase(invocation, u"Passphrase for “%1”: "_s.arg(file.name()));
        secret = KeyFile::deriveSecret(passphrase, file.protection().salt, file.protection().rounds);
    } else {
        secret = keyStore().requiredSecret(file.id());
    }
    ProjectKey key = file.open(secret, read);
    return OpenedKey(found.path, std::move(found.file), std::move(key), std::move(secret), found.stored);
}

QString protectionText(const KeyFile::Protection &protection)
{
    return protection.isPassphrase() ? u"passphrase"_s : u"keychain"_s;
}

} // namespace quorvane::cli
