#include "app/store/KeychainSecretStore.h"

#include <QCoreApplication>
#include <QProcess>

#include <gtest/gtest.h>

using namespace quorvane;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

const char *const childMarker = "QUORVANE_UNREACHABLE_STORE_CHILD";

} // namespace

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

// Without a reachable session bus the store must fail quickly with the
// product's message. The bus can't be taken away from a running process, so
// the check runs in a child started with a bus address that leads nowhere.
TEST(KeychainSecretStore, UnreachableStoreGivesTheMessage)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(childMarker), u"1"_s);
    environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, u"unix:path=/nonexistent/quorvane-bus"_s);
    environment.remove(u"DISPLAY"_s);
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(),
                {u"--gtest_filter=KeychainSecretStore.UnreachableStoreChild"_s});
    ASSERT_TRUE(child.waitForFinished(60000)) << "the child hung";
    const QString output = QString::fromUtf8(child.readAllStandardOutput());
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains(u"[       OK ] KeychainSecretStore.UnreachableStoreChild"_s)) << output.toStdString();
}

TEST(KeychainSecretStore, UnreachableStoreChild)
{
    if (!qEnvironmentVariableIsSet(childMarker))
        GTEST_SKIP() << "runs in the child of UnreachableStoreGivesTheMessage";
    KeychainSecretStore store(10s);
    const QUuid id = QUuid::createUuid();
    try {
        store.storeSecret(QByteArray(32, 'x'), id, u"Nowhere"_s);
        ADD_FAILURE() << "storing succeeded without a store";
    } catch (const SecretStore::Failure &failure) {
        EXPECT_EQ(failure.message(), u"The key couldn’t be saved in the keyring (error %1)."_s.arg(failure.code()));
        EXPECT_NE(failure.code(), 0);
    }
    EXPECT_FALSE(store.secret(id));
    store.deleteSecret(id);
}
