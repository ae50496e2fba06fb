#include "store/KeyStore.h"
#include "store/KeychainSecretStore.h"
#include "store/MemorySecretStore.h"
#include "tests/FileBytes.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quorvane;
using namespace Qt::StringLiterals;

namespace {

const QByteArray fileSecret(32, '\x5a');

KeyFile sealedKey(const QString &name, const QDateTime &created, const QUuid &id = QUuid::createUuid())
{
    const ProjectKey key(name, id, created);
    return KeyFile::seal(key, KeyFile::Protection::keychain(), fileSecret);
}

QDateTime day(int d)
{
    return QDateTime(QDate(2025, 3, d), QTime(9, 0), Qt::UTC);
}

QStringList names(const QList<KeyFile> &files)
{
    QStringList result;
    for (const KeyFile &file : files)
        result.append(file.name());
    return result;
}

} // namespace

TEST(KeyStore, ListsTheGoodKeysOldestFirstAmongBadFiles)
{
    QTemporaryDir temporary;
    MemorySecretStore secrets;
    // The keys folder and the one above it don't exist until the first save.
    const QDir folder(temporary.filePath(u"App/Keys"_s));
    const KeyStore store(secrets, folder.path());
    EXPECT_TRUE(store.list().isEmpty());

    // Saved newest first, and with names and ids that sort the wrong way too.
    const KeyFile newer = sealedKey(u"Aardvark"_s, day(20), QUuid(u"00000000-0000-4000-8000-000000000001"_s));
    const KeyFile older = sealedKey(u"Zebra"_s, day(3), QUuid(u"FFFFFFFF-0000-4000-8000-000000000001"_s));
    store.save(newer);
    store.save(older);

    const QByteArray good = sealedKey(u"Template"_s, day(1)).data();
    QByteArray newerFormat = good;
    newerFormat.replace("\"format\":1", "\"format\":2");
    const QList<std::pair<QString, QByteArray>> badFiles{
        {u"foreign.quorvanekey"_s, "Quarterly notes, not a key"}, {u"truncated.quorvanekey"_s, good.left(good.size() / 2)},
        {u"newer.quorvanekey"_s, newerFormat}, {u"empty.quorvanekey"_s, {}}, {u"copy.quorvanekey.bak"_s, good},
        {u"copy.json"_s, good}};
    for (const auto &[name, bytes] : badFiles)
        ASSERT_TRUE(test::writeBytes(folder.filePath(name), bytes));
    QDir(folder.path()).mkdir(u"folder.quorvanekey"_s);

    EXPECT_EQ(names(store.list()), (QStringList{u"Zebra"_s, u"Aardvark"_s}));
}

// The whole life of a key protected by the real secret store: what one store
// object saved, a fresh one lists and opens; deleting leaves nothing behind.
TEST(KeyStore, KeychainKeyLifeAgainstTheRealStore)
{
    if (!qEnvironmentVariableIsSet("QUORVANE_KEYRING_HOME"))
        GTEST_SKIP() << "run under scripts/with-keyring.sh";
    QTemporaryDir folder;
    const ProjectKey key(u"Real store"_s);
    const QByteArray secret = KeyFile::newSecret();
    {
        KeychainSecretStore secrets;
        const KeyStore store(secrets, folder.path());
        store.storeSecret(secret, key.id(), key.name());
        store.save(KeyFile::seal(key, KeyFile::Protection::keychain(), secret));
    }
    KeychainSecretStore secrets;
    const KeyStore store(secrets, folder.path());
    const QList<KeyFile> listed = store.list();
    ASSERT_EQ(listed.size(), 1);
    const std::optional<QByteArray> found = store.secret(key.id());
    ASSERT_TRUE(found);
    EXPECT_EQ(listed.first().open(*found).secret(), key.secret());

    store.deleteKey(key.id());
    EXPECT_TRUE(store.list().isEmpty());
    EXPECT_FALSE(KeychainSecretStore().secret(key.id()));
}
