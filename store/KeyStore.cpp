#include "store/KeyStore.h"

#include "store/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

// Far above any real key (a million entries take well under this), low enough
// that a stray huge file in the folder can't exhaust memory at start-up.
constexpr qint64 maxFileSize = 256LL * 1024 * 1024;

} // namespace

KeyStore::Refusal::Refusal(QString title, QString detail)
    : Failure(title % u". "_s % detail), m_title(std::move(title)), m_detail(std::move(detail))
{
}

QString KeyStore::defaultDirectory()
{
    const QString overridden = qEnvironmentVariable("QUORVANE_KEYS_DIR");
    if (!overridden.isEmpty())
        return overridden;
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + u"/Keys"_s;
}

KeyStore::KeyStore(SecretStore &secrets, const QString &directory) : m_secrets(secrets), m_directory(directory) {}

KeyFile KeyStore::readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(u"“"_s % QFileInfo(path).fileName() % u"” couldn’t be read: "_s % file.errorString() % u"."_s);
    if (file.size() > maxFileSize)
        throw KeyFile::Failure(KeyFile::Failure::Kind::damaged);
    return KeyFile(file.readAll());
}

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

void KeyStore::save(KeyFile file) const
{
    if (!QDir().mkpath(m_directory))
        throw Failure(u"The keys folder “"_s % QDir::toNativeSeparators(m_directory) % u"” couldn’t be created."_s);
    const QString path = filePath(file.id());
    writeAtomically(path, std::move(file).takeData());
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

QByteArray KeyStore::requiredSecret(const QUuid &id) const
{
    if (std::optional<QByteArray> kept = m_secrets.secret(id))
        return *kept;
    const QString store = SecretStore::displayName();
    throw Refusal(u"This key’s secret isn’t in the "_s % store,
                  u"Keys protected by the "_s % store % u" open only on the "_s % SecretStore::machineName()
                      % u" that made them. Import an exported copy (with its passphrase) instead."_s);
}

KeyFile KeyStore::importFile(const QString &path, const QString &exportStep) const
{
    const KeyFile file = readFile(path);
    file.checkWithoutSecret();
    if (!file.protection().isPassphrase()) {
        const QString machine = SecretStore::machineName();
        throw Refusal(u"This key can’t be imported"_s,
                      u"It opens only with the "_s % SecretStore::displayName() % u" of the "_s % machine
                          % u" that made it. On that "_s % machine % u", "_s % exportStep
                          % u" to save a copy that opens with a passphrase, and import that copy."_s);
    }
    const QList<KeyFile> stored = list();
    if (std::any_of(stored.cbegin(), stored.cend(), [&](const KeyFile &key) { return key.id() == file.id(); }))
        throw Refusal(u"You already have this key"_s, u"“"_s % file.name() % u"” is already in your keys."_s);
    save(file);
    return file;
}

} // namespace quorvane
