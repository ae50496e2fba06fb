#include "cli/KeyFiles.h"

#include "cli/Passphrase.h"
#include "kit/keys/Crypto.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace quorvane::cli {

namespace {

// Far above any real key (a hundred thousand values take a few megabytes).
constexpr qint64 largestKeyFile = 256LL * 1024 * 1024;

} // namespace

OpenedKey::OpenedKey(QString path_, KeyFile file_, ProjectKey key_, QByteArray fileSecret_)
    : path(std::move(path_)), file(std::move(file_)), key(std::move(key_)), fileSecret(std::move(fileSecret_))
{
}

OpenedKey::~OpenedKey()
{
    crypto::wipe(fileSecret);
    key.wipeSecret();
}

void OpenedKey::save() const
{
    writeAtomically(path, KeyFile::seal(key, file.protection(), fileSecret).data());
}

KeyFile readKeyFile(const QString &path)
{
    QFile input(path);
    if (!input.open(QIODevice::ReadOnly))
        throw Failure(u"The key file “%1” couldn’t be read."_s.arg(path));
    if (input.size() > largestKeyFile)
        throw KeyFile::Failure(KeyFile::Failure::Kind::damaged);
    return KeyFile(input.readAll());
}

OpenedKey openKeyFile(const Invocation &invocation, const QString &path)
{
    KeyFile file = readKeyFile(path);
    if (!file.protection().isPassphrase())
        throw Failure(u"This key’s secret is kept in the system’s secret store; "
                      u"the command-line tool opens passphrase-protected key files only."_s);
    const QString passphrase = obtainPassphrase(invocation, u"Passphrase for “%1”: "_s.arg(file.name()));
    QByteArray secret = KeyFile::deriveSecret(passphrase, file.protection().salt, file.protection().rounds);
    ProjectKey key = file.open(secret);
    return OpenedKey(path, std::move(file), std::move(key), std::move(secret));
}

void writeAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile output(path);
    if (!output.open(QIODevice::WriteOnly) || output.write(bytes) != bytes.size() || !output.commit())
        throw Failure(u"“%1” couldn’t be written."_s.arg(QFileInfo(path).fileName()));
}

} // namespace quorvane::cli
