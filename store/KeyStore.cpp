#include "store/KeyStore.h"

#include "store/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

// Far above any real key (a million entries take well under this), low enough
// that a stray huge file in the folder can't exhaust memory at start-up.
constexpr qint64 maxFileSize = 256LL * 1024 * 1024;

} // namespace

QString KeyStore::defaultDirectory()
{
    const QString overridden = qEnvironmentVariable("QUORVANE_KEYS_DIR");
    if (!overridden.isEmpty())
        return overridden;
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + u"/Keys"_s;
}

KeyStore::KeyStore(SecretStore &secrets, const QString &directory) : m_secrets(secrets), m_directory(directory) {}

QString KeyStore::filePath(const QUuid &id) const
{
    return m_directory % u'/' % SecretStore::idText(id) % u'.' % KeyFile::fileExtension;
}

QList<KeyFile> KeyStore::list() const
{
    // Sorted by name first so that keys made in the same second keep one
    // order from run to run, whatever order the file system lists them in.
    const QStringList names = QDir(m_directory).entryList(QDir::Files, QDir::Name);
    QList<KeyFile> files;
    for (const QString &name : names) {
        if (!name.endsWith(u'.' % KeyFile::fileExtension))
            continue;
        QFile file(QDir(m_directory).filePath(name));
        if (file.size() > maxFileSize || !file.open(QIODevice::ReadOnly))
            continue;
        try {
            files.append(KeyFile(file.readAll()));
        } catch (const KeyFile::Failure &) {
            // A damaged, foreign or newer file; the other keys still list.
        }
    }
    std::stable_sort(files.begin(), files.end(),
                     [](const KeyFile &a, const KeyFile &b) { return a.created() < b.created(); });
    return files;
}

void KeyStore::save(const KeyFile &file) const
{
    writeAtomically(filePath(file.id()), file.data());
}

void KeyStore::deleteKey(const QUuid &id) const
{
    QFile::remove(filePath(id));
    m_secrets.deleteSecret(id);
}

void KeyStore::storeSecret(const QByteArray &secret, const QUuid &id, const QString &name) const
{
    m_secrets.storeSecret(secret, id, name);
}

std::optional<QByteArray> KeyStore::secret(const QUuid &id) const
{
    return m_secrets.secret(id);
}

void KeyStore::deleteSecret(const QUuid &id) const
{
    m_secrets.deleteSecret(id);
}

} // namespace quorvane
