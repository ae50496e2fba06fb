#include "app/store/KeychainSecretStore.h"

#include <qt6keychain/keychain.h>

#include <QEventLoop>
#include <QTimer>

#include <memory>

#if defined(Q_OS_LINUX)
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#endif

namespace quorvane {

namespace {

// Jobs report back through the event loop; a local loop turns them into the
// plain calls every caller of the store expects. Returns the job's error code,
// or OtherError when it didn't finish in time: the job is then let go and
// deletes itself whenever it ends.
template<class Job>
int runToEnd(std::unique_ptr<Job> &job, std::chrono::milliseconds patience)
{
    bool finished = false;
    QEventLoop loop;
    QObject::connect(job.get(), &QKeychain::Job::finished, &loop, [&] {
        finished = true;
        loop.quit();
    });
    QTimer::singleShot(patience, &loop, &QEventLoop::quit);
    job->setAutoDelete(false);
    job->start();
    if (!finished)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!finished) {
        job->setAutoDelete(true);
        job.release();
        return QKeychain::OtherError;
    }
    return job->error();
}

#if defined(Q_OS_LINUX)
// Qt Keychain names every item after the service alone. The Secret Service's
// label is what the user's keyring manager lists, so it is set afterwards to
// tell the keys apart. A label that can't be set leaves the secret usable.
void relabel(const QString &service, const QString &account, const QString &label,
             std::chrono::milliseconds patience)
{
    using namespace Qt::StringLiterals;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    const QString secrets = u"org.freedesktop.secrets"_s;
    qDBusRegisterMetaType<QMap<QString, QString>>();
    QDBusMessage search = QDBusMessage::createMethodCall(secrets, u"/org/freedesktop/secrets"_s,
                                                         u"org.freedesktop.Secret.Service"_s, u"SearchItems"_s);
    search << QVariant::fromValue(QMap<QString, QString>{{u"server"_s, service}, {u"user"_s, account}});
    const int timeout = int(patience.count());
    const QDBusMessage found = bus.call(search, QDBus::Block, timeout);
    if (found.type() != QDBusMessage::ReplyMessage || found.arguments().isEmpty())
        return;
    const auto unlocked = qdbus_cast<QList<QDBusObjectPath>>(found.arguments().constFirst());
    for (const QDBusObjectPath &item : unlocked) {
        QDBusMessage set = QDBusMessage::createMethodCall(secrets, item.path(), u"org.freedesktop.DBus.Properties"_s,
                                                          u"Set"_s);
        set << u"org.freedesktop.Secret.Item"_s << u"Label"_s << QVariant::fromValue(QDBusVariant(label));
        bus.call(set, QDBus::Block, timeout);
    }
}
#endif

} // namespace

KeychainSecretStore::KeychainSecretStore(std::chrono::milliseconds patience) : m_patience(patience) {}

void KeychainSecretStore::storeSecret(const QByteArray &secret, const QUuid &id, const QString &name)
{
    deleteSecret(id);
    auto job = std::make_unique<QKeychain::WritePasswordJob>(service());
    job->setKey(idText(id));
    job->setBinaryData(secret);
    if (const int code = runToEnd(job, m_patience); code != QKeychain::NoError)
        throw Failure(code);
#if defined(Q_OS_LINUX)
    relabel(service(), idText(id), label(name), m_patience);
#else
    // Elsewhere Qt Keychain's own label stands.
    Q_UNUSED(name);
#endif
}

std::optional<QByteArray> KeychainSecretStore::secret(const QUuid &id)
{
    auto job = std::make_unique<QKeychain::ReadPasswordJob>(service());
    job->setKey(idText(id));
    if (runToEnd(job, m_patience) != QKeychain::NoError || job->binaryData().isEmpty())
        return std::nullopt;
    return job->binaryData();
}

void KeychainSecretStore::deleteSecret(const QUuid &id)
{
    auto job = std::make_unique<QKeychain::DeletePasswordJob>(service());
    job->setKey(idText(id));
    runToEnd(job, m_patience);
}

} // namespace quorvane
