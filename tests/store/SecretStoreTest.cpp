#include "app/store/KeychainSecretStore.h"

#include <QCoreApplication>
#include <QProcess>

#include <gtest/gtest.h>

using namespace quorvane;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

// Only the throw-away keyring started by scripts/with-keyring.sh is used, never
// the keyring of whoever runs the tests.
bool privateKeyringRunning()
{
    return qEnvironmentVariableIsSet("QUORVANE_KEYRING_HOME") && qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS");
}

#define REQUIRE_PRIVATE_KEYRING()                                                                   \
    if (!privateKeyringRunning())                                                                   \
    GTEST_SKIP() << "run under scripts/with-keyring.sh"

const char *const childMarker = "QUORVANE_UNREACHABLE_STORE_CHILD";

} // namespace

TEST(KeychainSecretStore, StoresReplacesReadsAndDeletes)
{
    REQUIRE_PRIVATE_KEYRING();
    KeychainSecretStore store;
    const QUuid id = QUuid::createUuid();
    const QByteArray first(32, '\x01');
    QByteArray second(32, '\0');
    second[31] = '\xff'; // zero bytes and high bytes must survive the round trip

    EXPECT_FALSE(store.secret(id));
    store.storeSecret(first, id, u"Survey"_s);
    EXPECT_EQ(store.secret(id), first);
    store.storeSecret(second, id, u"Survey renamed"_s);
    EXPECT_EQ(store.secret(id), second);

    // Another key's secret is separate.
    const QUuid other = QUuid::createUuid();
    store.storeSecret(first, other, u"Other"_s);
    store.deleteSecret(id);
    EXPECT_FALSE(store.secret(id));
    EXPECT_EQ(store.secret(other), first);

    store.deleteSecret(other);
    store.deleteSecret(other); // deleting what isn't there is silent
    EXPECT_FALSE(store.secret(other));
}

TEST(KeychainSecretStore, SecretsOutliveTheStoreObject)
{
    REQUIRE_PRIVATE_KEYRING();
    const QUuid id = QUuid::createUuid();
    const QByteArray secret = QByteArray::fromHex("00112233445566778899aabbccddeeff00112233445566778899aabbccddeeff");
    KeychainSecretStore().storeSecret(secret, id, u"Kept"_s);
    EXPECT_EQ(KeychainSecretStore().secret(id), secret);
    KeychainSecretStore().deleteSecret(id);
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
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
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
