// The key commands on the user's stored keys, each run a separate process as
// a user would run them, against a keys folder of the test's own.
#include "CliRun.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

using namespace quorvane::test;
using namespace Qt::StringLiterals;

namespace {

class KeyStoreCommands : public testing::Test
{
protected:
    Result quorvane(const QStringList &arguments, const QByteArray &input = {},
                    const QStringList &environment = {}) const
    {
        const QStringList settings{u"QUORVANE_KEYS_DIR="_s + keysFolder(), u"QUORVANE_PASSPHRASE=correct horse battery"_s};
        Result result = runQuorvane(arguments, settings + environment, input);
        result.out = result.out.trimmed();
        return result;
    }

    // Runs a command that must succeed and returns what it printed.
    QString ok(const QStringList &arguments, const QByteArray &input = {}) const
    {
        const Result result = quorvane(arguments, input);
        EXPECT_EQ(result.code, 0) << arguments.join(u' ').toStdString() << ": " << result.err.toStdString();
        return result.out;
    }

    QJsonArray list() const { return QJsonDocument::fromJson(ok({u"key"_s, u"list"_s, u"--json"_s}).toUtf8()).array(); }

    QString keysFolder() const { return folder.filePath(u"Keys"_s); }
    QString storedFile(const QString &id) const { return keysFolder() % u'/' % id % u".quorvanekey"_s; }
    QString outside(const QString &name) const { return folder.filePath(name); }

    QTemporaryDir folder;
};

} // namespace

// A key protected by the secret store, from one run of the tool to the next.
TEST_F(KeyStoreCommands, StoreProtectedKeyLivesAcrossRuns)
{
    if (!qEnvironmentVariableIsSet("QUORVANE_KEYRING_HOME"))
        GTEST_SKIP() << "run under scripts/with-keyring.sh";
    const QString id = ok({u"key"_s, u"new"_s, u"--name"_s, u"Survey"_s});
    ASSERT_EQ(id.size(), 36);
    ASSERT_EQ(list().size(), 1);
    EXPECT_EQ(list().at(0)[u"protection"_s].toString(), u"keychain"_s);

    const QString standIn = ok({u"key"_s, u"standin"_s, u"Survey"_s, u"--kind"_s, u"firstName"_s, u"Grace"_s, u"--save"_s});
    EXPECT_EQ(ok({u"key"_s, u"standin"_s, id, u"--kind"_s, u"firstName"_s, u"Grace"_s}), standIn);
    EXPECT_TRUE(ok({u"key"_s, u"show"_s, storedFile(id)}).contains(u"values:     1"_s));

    ok({u"key"_s, u"rename"_s, id.toLower(), u"Survey 2025"_s});

    // The exported copy opens with the new passphrase and gives the same stand-ins.
    const QString copy = outside(u"copy.quorvanekey"_s);
    ok({u"key"_s, u"export"_s, u"Survey 2025"_s, u"--to"_s, copy});
    EXPECT_EQ(ok({u"key"_s, u"standin"_s, copy, u"--kind"_s, u"firstName"_s, u"Grace"_s}), standIn);

    // Deleting leaves neither the file nor the secret: the same file put back
    // no longer opens.
    const QByteArray stored = readBytes(storedFile(id));
    ok({u"key"_s, u"delete"_s, id, u"--yes"_s});
    EXPECT_FALSE(QFile::exists(storedFile(id)));
    ASSERT_TRUE(writeBytes(storedFile(id), stored));
    EXPECT_EQ(codeAndError(quorvane({u"key"_s, u"show"_s, id})),
              std::pair(1, u"This key’s secret isn’t in the keyring. Keys protected by the keyring open only on the "
                              u"computer that made them. Import an exported copy (with its passphrase) instead."_s));
}

TEST_F(KeyStoreCommands, UnreachableSecretStoreGivesTheMessageAndNoKey)
{
    const Result result = quorvane({u"key"_s, u"new"_s, u"--name"_s, u"Nowhere"_s}, {},
                                   {u"DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/quorvane-bus"_s, u"DISPLAY="_s});
    EXPECT_EQ(result.code, 1);
    EXPECT_TRUE(result.err.startsWith(u"The key couldn’t be saved in the keyring (error "_s)) << result.err.toStdString();
    EXPECT_TRUE(QDir(keysFolder()).entryList(QDir::Files).isEmpty());
}

TEST_F(KeyStoreCommands, PassphraseKeysExportImportAndDelete)
{
    EXPECT_EQ(ok({u"key"_s, u"list"_s}), QString());
    const QString id = ok({u"key"_s, u"new"_s, u"--name"_s, u"Travel"_s, u"--passphrase"_s});
    EXPECT_EQ(list().at(0)[u"protection"_s].toString(), u"passphrase"_s);

    const QString copy = outside(u"Travel.quorvanekey"_s);
    ok({u"key"_s, u"export"_s, u"Travel"_s, u"--to"_s, copy});
    EXPECT_EQ(readBytes(copy), readBytes(storedFile(id)));

    // Deleting asks first; anything but yes keeps the key.
    const Result kept = quorvane({u"key"_s, u"delete"_s, u"Travel"_s}, "n\n");
    EXPECT_EQ(kept.code, 1);
    EXPECT_TRUE(kept.err.contains(u"Delete the key “Travel”?"_s));
    EXPECT_TRUE(QFile::exists(storedFile(id)));
    ok({u"key"_s, u"delete"_s, u"Travel"_s}, "yes\n");
    EXPECT_FALSE(QFile::exists(storedFile(id)));
    EXPECT_EQ(quorvane({u"key"_s, u"delete"_s, copy, u"--yes"_s}).code, 1); // not a stored key
    EXPECT_TRUE(QFile::exists(copy));

    EXPECT_EQ(ok({u"key"_s, u"import"_s, copy}), id);
    EXPECT_EQ(readBytes(storedFile(id)), readBytes(copy));
    EXPECT_EQ(codeAndError(quorvane({u"key"_s, u"import"_s, copy})),
              std::pair(1, u"You already have this key. “Travel” is already in your keys."_s));

    // A stored key saved back after new stand-ins stays where it is.
    ok({u"key"_s, u"standin"_s, id, u"--kind"_s, u"city"_s, u"Boston"_s, u"--save"_s});
    EXPECT_EQ(QDir(keysFolder()).entryList(QDir::Files).size(), 1);

    // A name must pick out one key.
    ok({u"key"_s, u"new"_s, u"--name"_s, u"travel"_s, u"--passphrase"_s});
    const Result ambiguous = quorvane({u"key"_s, u"show"_s, u"TRAVEL"_s});
    EXPECT_EQ(ambiguous.code, 1);
    EXPECT_TRUE(ambiguous.err.contains(u"More than one of your keys is called “TRAVEL”"_s));
    EXPECT_TRUE(ok({u"key"_s, u"show"_s, u"Travel"_s}).contains(u"values:     1"_s));
}

// An import checks what it can without the passphrase; a name edited outside
// the program stops the key from opening rather than passing for its own.
TEST_F(KeyStoreCommands, DamagedImportsAndForgedNamesAreRefused)
{
    const QString id = ok({u"key"_s, u"new"_s, u"--name"_s, u"Travel"_s, u"--passphrase"_s});
    const QString damaged = u"The key file is damaged or isn’t a Quorvane key."_s;
    QJsonObject json = QJsonDocument::fromJson(readBytes(storedFile(id))).object();
    const QString copy = outside(u"Short.quorvanekey"_s);
    json[u"box"_s] = u"AAAA"_s;
    json[u"id"_s] = u"0F8A2C3D-5B6E-4A71-9C2D-3E4F5A6B7C8D"_s;
    ASSERT_TRUE(writeBytes(copy, QJsonDocument(json).toJson()));
    EXPECT_EQ(codeAndError(quorvane({u"key"_s, u"import"_s, copy})), std::pair(1, damaged));
    EXPECT_EQ(list().size(), 1);

    json = QJsonDocument::fromJson(readBytes(storedFile(id))).object();
    json[u"name"_s] = u"Forged"_s;
    ASSERT_TRUE(writeBytes(storedFile(id), QJsonDocument(json).toJson()));
    for (const QStringList &command : {QStringList{u"show"_s, u"Forged"_s}, {u"delete"_s, u"Forged"_s, u"--yes"_s}})
        EXPECT_EQ(codeAndError(quorvane(QStringList{u"key"_s} + command)), std::pair(1, damaged));
    EXPECT_TRUE(QFile::exists(storedFile(id)));
}
