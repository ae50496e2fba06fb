#include "app/AppModel.h"
#include "app/Panels.h"
#include "store/MemorySecretStore.h"
#include "tests/FileBytes.h"
#include "tests/app/FakePanels.h"
#include "tests/app/TestKeys.h"

#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace quorvane;
using namespace quorvane::test;
using namespace Qt::StringLiterals;

namespace {

class AppModelTest : public testing::Test
{
protected:
    void SetUp() override { QSettings().clear(); }

    QString keysFolder() const { return folder.filePath(u"Keys"_s); }
    QString outside(const QString &name) const { return folder.filePath(name); }

    // Keys put in the store the way an earlier run would have left them.
    KeyFile addKey(const QString &name, int day, bool withPassphrase = false)
    {
        const ProjectKey key(name, QUuid::createUuid(), QDateTime(QDate(2025, 1, day), QTime(8, 0), Qt::UTC));
        const QByteArray salt = KeyFile::newSalt();
        const QByteArray secret = withPassphrase ? KeyFile::deriveSecret(passphrase, salt, testRounds) : KeyFile::newSecret();
        if (!withPassphrase)
            secrets.storeSecret(secret, key.id(), name);
        const auto protection = withPassphrase ? KeyFile::Protection::passphrase(salt, testRounds)
                                               : KeyFile::Protection::keychain();
        const KeyFile file = KeyFile::seal(key, protection, secret);
        store.save(file);
        return file;
    }
    void writeOutside(const QString &name, const QByteArray &bytes)
    {
        panels.answer = outside(name);
        ASSERT_TRUE(writeBytes(*panels.answer, bytes));
    }

    bool unlock(const KeyFile &file, const QString &typed)
    {
        std::optional<bool> answer;
        model.unlock(file, typed, [&](bool ok) { answer = ok; });
        EXPECT_TRUE(QTest::qWaitFor([&] { return answer.has_value(); }, 20000));
        return answer.value_or(false);
    }

    void expectProblem(const QString &title, const QString &message)
    {
        ASSERT_TRUE(model.problem());
        EXPECT_EQ(model.problem()->title, title);
        EXPECT_EQ(model.problem()->message, message);
    }

    QTemporaryDir folder;
    MemorySecretStore secrets;
    KeyStore store{secrets, keysFolder()};
    FakePanels panels;
    AppModel model{store, panels, testRounds};
};

} // namespace

TEST_F(AppModelTest, StartUpSelectsTheRememberedKeyElseTheOldest)
{
    const KeyFile older = addKey(u"Older"_s, 1);
    const KeyFile newer = addKey(u"Newer"_s, 2, true);
    AppModel first(store, panels, testRounds);
    first.start();
    EXPECT_EQ(first.selection(), older.id());
    // A store-protected key opens at once, without a prompt.
    ASSERT_NE(first.openKey(), nullptr);

    first.select(newer.id());
    AppModel second(store, panels, testRounds);
    second.start();
    EXPECT_EQ(second.selection(), newer.id());
    EXPECT_EQ(second.openKey(), nullptr); // a passphrase key waits for its passphrase
    second.select(std::nullopt);
    EXPECT_FALSE(QSettings().contains(u"lastKey"_s));
}

TEST_F(AppModelTest, AStoreKeyThatCantOpenBecomesAProblem)
{
    const KeyFile missing = addKey(u"Missing"_s, 1);
    const KeyFile wrong = addKey(u"Wrong"_s, 2);
    secrets.deleteSecret(missing.id());
    secrets.storeSecret(QByteArray(32, '\x01'), wrong.id(), u"Wrong"_s);
    model.start();
    expectProblem(u"This key’s secret isn’t in the keyring"_s,
                  u"Keys protected by the keyring open only on the computer that made them. "
                  u"Import an exported copy (with its passphrase) instead."_s);
    EXPECT_EQ(model.openKey(), nullptr);

    model.select(wrong.id());
    expectProblem(u"The key couldn’t be opened"_s, u"The key file is damaged or isn’t a Quorvane key."_s);
}

// A wrong passphrase is an answer, not a problem. The full derivation runs off
// the main thread: the event loop keeps turning meanwhile.
TEST_F(AppModelTest, UnlockingAndLocking)
{
    const ProjectKey key(u"Slow"_s);
    const QByteArray salt = KeyFile::newSalt();
    const KeyFile locked = KeyFile::seal(key, KeyFile::Protection::passphrase(salt),
                                         KeyFile::deriveSecret(passphrase, salt, KeyFile::defaultRounds));
    store.save(locked);
    model.start();
    EXPECT_FALSE(unlock(locked, u"not the passphrase"_s));
    EXPECT_FALSE(model.problem());

    int ticksWhileUnlocking = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ticksWhileUnlocking += model.unlocking() ? 1 : 0; });
    ticker.start(1);
    EXPECT_TRUE(unlock(locked, passphrase));
    EXPECT_GT(ticksWhileUnlocking, 0);
    ASSERT_NE(model.openKey(), nullptr);

    QSignalSpy swapResets(&model.swap(), &SwapSession::changed);
    model.lock(locked.id());
    EXPECT_EQ(model.openKey(), nullptr);
    EXPECT_EQ(swapResets.size(), 1);
}

TEST_F(AppModelTest, MakingKeys)
{
    model.start();
    model.setSheet(AppModel::Sheet::newKey());
    model.makeKey(u"  \n "_s, std::nullopt);
    ASSERT_EQ(model.keys().size(), 1);
    const KeyFile made = model.keys().first();
    EXPECT_EQ(made.name(), u"Untitled Key"_s);
    ASSERT_NE(model.openKey(), nullptr);
    EXPECT_EQ(model.openKey()->key.id(), made.id());
    EXPECT_FALSE(model.sheet()); // the new-key sheet closes

    // With a passphrase the key appears once the derivation is done.
    model.makeKey(u" Shared\t"_s, passphrase);
    EXPECT_EQ(model.keys().size(), 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return model.keys().size() == 2; }, 20000));
    EXPECT_EQ(model.selectedFile()->open(passphrase).name(), u"Shared"_s);
    EXPECT_EQ(secrets.items.size(), 1);
}

TEST_F(AppModelTest, MakingFailsWithTheStoreOrFolderMessage)
{
    model.start();
    secrets.refuseWrites = 25;
    model.makeKey(u"Refused"_s, std::nullopt);
    expectProblem(u"The key couldn’t be made"_s, u"The key couldn’t be saved in the keyring (error 25)."_s);
    model.makeKey(u"Weak"_s, u"aaaaaaaa"_s);
    expectProblem(u"The key couldn’t be made"_s, u"Use a passphrase with more variety."_s);

    ASSERT_TRUE(writeBytes(keysFolder(), {})); // a file where the keys folder should be
    model.makeKey(u"Nowhere"_s, passphrase);
    ASSERT_TRUE(QTest::qWaitFor([&] { return model.problem()->message.contains(u"Keys"_s); }, 20000));
    EXPECT_TRUE(model.keys().isEmpty());
}

// Every change to a key reaches its file at once, under its own protection.
TEST_F(AppModelTest, SavingAndRenamingWriteThrough)
{
    const KeyFile file = addKey(u"Swapped"_s, 1, true);
    model.start();
    ASSERT_TRUE(unlock(file, passphrase));
    ProjectKey changed = model.openKey()->key;
    const QString standIn = changed.assignSubstitute(u"Grace"_s, EntryKind::firstName, {});
    changed.addFile(u"customers.csv"_s);
    model.save(changed);
    model.rename(file.id(), u"Renamed"_s);

    const KeyFile onDisk(readBytes(store.filePath(file.id())));
    EXPECT_EQ(onDisk.protection(), file.protection());
    const ProjectKey reopened = onDisk.open(passphrase);
    EXPECT_EQ(reopened.storedSubstitute(u"Grace"_s, EntryKind::firstName), standIn);
    EXPECT_EQ(reopened.name(), u"Renamed"_s);

    model.lock(file.id());
    EXPECT_THROW(model.save(changed), Failure);
    model.rename(file.id(), u"Ignored"_s); // a locked key can't be sealed again
    EXPECT_EQ(store.list().first().name(), u"Renamed"_s);
}

// A passphrase key is exported as it is; a store key is sealed again under a
// passphrase, while the stored one keeps opening from the secret store.
TEST_F(AppModelTest, Exporting)
{
    const KeyFile portable = addKey(u"Portable"_s, 1, true);
    const KeyFile file = addKey(u"Here only"_s, 2);
    model.start();
    model.exportKey(portable.id()); // cancelled
    EXPECT_EQ(panels.suggestedName, u"Portable.quorvanekey"_s);
    EXPECT_EQ(panels.message,
              u"Keep this file somewhere safe. With its passphrase it restores files swapped with this key."_s);
    panels.answer = outside(u"Portable.quorvanekey"_s);
    model.exportKey(portable.id());
    EXPECT_EQ(readBytes(*panels.answer), readBytes(store.filePath(portable.id())));

    model.select(file.id());
    ProjectKey changed = model.openKey()->key;
    changed.assignSubstitute(u"grace@example.org"_s, EntryKind::email, {});
    model.save(changed);
    panels.asked = 0;
    model.exportKey(file.id()); // asks for a passphrase first
    EXPECT_EQ(model.sheet(), AppModel::Sheet::exportKey(file.id()));
    EXPECT_EQ(panels.asked, 0);

    panels.answer = outside(u"Here only.quorvanekey"_s);
    model.exportKey(file.id(), passphrase);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(*panels.answer); }, 20000));
    const KeyFile exported(readBytes(*panels.answer));
    EXPECT_EQ(std::pair(exported.id(), exported.created()), std::pair(file.id(), file.created()));
    EXPECT_EQ(exported.open(passphrase).toJson(), changed.toJson());
    EXPECT_FALSE(KeyFile(readBytes(store.filePath(file.id()))).protection().isPassphrase());
}

TEST_F(AppModelTest, ImportingAndItsRefusals)
{
    const KeyFile storeKey = addKey(u"Tied"_s, 1);
    const KeyFile exported = addKey(u"Travelling"_s, 2, true);
    const QByteArray exportedBytes = readBytes(store.filePath(exported.id()));
    store.deleteKey(exported.id());
    model.start();
    model.importKey(); // cancelled
    EXPECT_EQ(panels.message, u"Choose an exported Quorvane key."_s);

    const QString cantImport = u"The key couldn’t be imported"_s;
    QByteArray newer = exportedBytes;
    newer.replace("\"format\":1", "\"format\":2");
    const QList<std::tuple<QByteArray, QString, QString>> refused{
        {readBytes(store.filePath(storeKey.id())), u"This key can’t be imported"_s,
         u"It opens only with the keyring of the computer that made it. On that computer, choose Export… "
         u"to save a copy that opens with a passphrase, and import that copy."_s},
        {"just some notes", cantImport, u"The key file is damaged or isn’t a Quorvane key."_s},
        {newer, cantImport, u"This key was saved by a newer version of Quorvane."_s},
    };
    for (const auto &[bytes, title, message] : refused) {
        writeOutside(u"refused.quorvanekey"_s, bytes);
        model.importKey();
        expectProblem(title, message);
    }

    writeOutside(u"travelling.quorvanekey"_s, exportedBytes);
    model.importKey();
    ASSERT_EQ(model.keys().size(), 2);
    EXPECT_EQ(model.selection(), exported.id());
    EXPECT_EQ(model.openKey(), nullptr); // locked until its passphrase is given
    EXPECT_EQ(readBytes(store.filePath(exported.id())), exportedBytes);
    model.importKey();
    expectProblem(u"You already have this key"_s, u"“Travelling” is already in your keys."_s);
}

TEST_F(AppModelTest, DeletingMovesTheSelection)
{
    const KeyFile first = addKey(u"First"_s, 1);
    const KeyFile second = addKey(u"Second"_s, 2, true);
    const KeyFile third = addKey(u"Third"_s, 3);
    model.start();
    model.select(third.id());
    model.askToDelete(third);
    ASSERT_TRUE(model.keyToDelete());
    EXPECT_EQ(AppModel::deleteQuestion(*model.keyToDelete()), u"Delete the key “Third”?"_s);
    EXPECT_EQ(AppModel::deleteWarning(),
              u"Files swapped with this key can’t be restored without it. Export a copy first if you might need it."_s);
    QSignalSpy restoreResets(&model.restore(), &RestoreSession::changed);
    model.deleteKey(*model.keyToDelete());
    EXPECT_EQ(model.selection(), first.id());
    EXPECT_FALSE(secrets.secret(third.id()));
    EXPECT_FALSE(QFile::exists(store.filePath(third.id())));
    EXPECT_GE(restoreResets.size(), 1);

    model.deleteKey(second); // not selected: the selection stays
    EXPECT_EQ(model.selection(), first.id());
    model.deleteKey(first);
    EXPECT_FALSE(model.selection());
}

// The tray panel's and the hot key's action.
TEST_F(AppModelTest, RestoringTheClipboardWritesItOnlyWhenSomethingCameBack)
{
    struct HeldText : Clipboard
    {
        std::optional<QString> held;
        std::optional<QString> text() const override { return held; }
        void setText(const QString &text) override { held = text; }
    } clipboard;
    model.setClipboard(clipboard);
    clipboard.held = u"Dear Mateo,"_s;
    EXPECT_EQ(model.restoreClipboard().kind, ClipboardRestore::Outcome::Kind::noKey);
    EXPECT_EQ(model.menuBarMessage(), u"Choose a key, and unlock it if it has a passphrase.");

    addKey(u"Clinic"_s, 1);
    model.start();
    ProjectKey key = model.openKey()->key;
    key.record({EntryKind::firstName, u"Maria"_s, u"Mateo"_s});
    model.save(key);
    EXPECT_EQ(model.restoreClipboard().kind, ClipboardRestore::Outcome::Kind::restored);
    EXPECT_EQ(clipboard.held, u"Dear Maria,");
    EXPECT_EQ(model.restoreClipboard().kind, ClipboardRestore::Outcome::Kind::nothingFound);
    EXPECT_EQ(clipboard.held, u"Dear Maria,");
    EXPECT_EQ(model.menuBarMessage(), u"No stand-ins from “Clinic” in the clipboard.");
}
