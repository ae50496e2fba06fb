#include "store/KeychainSecretStore.h"

#include "store/KeychainItemLabel.h"

#include <qt6keychain/keychain.h>

#include <QEventLoop>
#include <QTimer>

#include <memory>


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
    labelKeychainItem(service(), idText(id), label(name), m_patience);
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
