#include "store/KeychainSecretStore.h"

#include <QProcess>

#include <gtest/gtest.h>

using namespace quorvane;
using namespace Qt::StringLiterals;

// Only the throw-away keyring of scripts/with-keyring.sh is used, never the
// keyring of whoever runs the tests.
TEST(KeychainSecretStore, StoresReplacesReadsAndDeletes)
{
    if (!qEnvironmentVariableIsSet("QUORVANE_KEYRING_HOME"))
        GTEST_SKIP() << "run under scripts/with-keyring.sh";
    const QUuid id = QUuid::createUuid(), other = QUuid::createUuid();
    const QByteArray first(32, '\x01');
    const QByteArray second = QByteArray(31, '\0') + '\xff'; // zero and high bytes survive
    {
        KeychainSecretStore store;
        EXPECT_FALSE(store.secret(id));
        store.storeSecret(first, id, u"Survey"_s);
        store.storeSecret(second, id, u"Survey renamed"_s);
        store.storeSecret(first, other, u"Other"_s);
    }
    KeychainSecretStore store; // what one store object kept, the next one finds
    EXPECT_EQ(store.secret(id), second);
    // The keyring's manager lists the item under the key's name.
    QProcess search;
    search.start(u"secret-tool"_s, {u"search"_s, u"--all"_s, u"user"_s, SecretStore::idText(id)});
    ASSERT_TRUE(search.waitForFinished(30000));
    const QString items = QString::fromUtf8(search.readAllStandardOutput());
    EXPECT_EQ(items.count(u"label = "_s), 1) << items.toStdString();
    EXPECT_TRUE(items.contains(u"label = Quorvane key: Survey renamed\n"_s)) << items.toStdString();
    store.deleteSecret(id);
    store.deleteSecret(id); // deleting what isn't there is silent
    EXPECT_FALSE(store.secret(id));
    EXPECT_EQ(store.secret(other), first);
    store.deleteSecret(other);
}
