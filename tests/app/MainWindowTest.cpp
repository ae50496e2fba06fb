#include "app/AppModel.h"
#include "app/Panels.h"
#include "app/SingleInstance.h"
#include "store/MemorySecretStore.h"
#include "app/views/DetailArea.h"
#include "app/views/ExportSheet.h"
#include "app/views/KeyRow.h"
#include "app/views/KeySidebar.h"
#include "app/views/MainWindow.h"
#include "app/views/NewKeySheet.h"
#include "app/views/PassphraseFields.h"
#include "app/views/RenameSheet.h"
#include "app/views/RevealableSecureField.h"
#include "app/views/SessionTabs.h"
#include "app/views/UnlockView.h"
#include "app/views/WelcomeView.h"
#include "tests/FileBytes.h"
#include "tests/app/FakePanels.h"
#include "tests/app/TestKeys.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace quorvane;
using namespace quorvane::test;
using namespace Qt::StringLiterals;

namespace {

// The window as a user meets it, walked with the keyboard and mouse.
class MainWindowTest : public testing::Test
{
protected:
    void SetUp() override { QSettings().clear(); }

    void launch()
    {
        window.reset();
        model = std::make_unique<AppModel>(store, panels, testRounds);
        window = std::make_unique<MainWindow>(*model, panels);
        model->start();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    KeyFile addKey(const QString &name, bool withPassphrase)
    {
        const ProjectKey key(name);
        const QByteArray salt = KeyFile::newSalt();
        const QByteArray secret =
            withPassphrase ? KeyFile::deriveSecret(passphrase, salt, testRounds) : KeyFile::newSecret();
        if (!withPassphrase)
            secrets.storeSecret(secret, key.id(), name);
        const auto protection =
            withPassphrase ? KeyFile::Protection::passphrase(salt, testRounds) : KeyFile::Protection::keychain();
        const KeyFile file = KeyFile::seal(key, protection, secret);
        store.save(file);
        return file;
    }

    QWidget *shownView() const { return window->detail()->currentWidget(); }
    QStringList rows() const
    {
        QStringList summaries;
        QListWidget *list = window->sidebar()->list();
        for (int row = 0; row < list->count(); ++row)
            summaries.append(qobject_cast<KeyRow *>(list->itemWidget(list->item(row)))->summary());
        return summaries;
    }
    void chooseFromRowMenu(const QString &command)
    {
        const std::unique_ptr<QMenu> menu = window->sidebar()->rowMenu(model->selection().value());
        for (QAction *action : menu->actions()) {
            if (action->text() == command)
                return action->trigger();
        }
        FAIL() << "no " << command.toStdString();
    }
    template<class Sheet>
    Sheet *sheet() const
    {
        return qobject_cast<Sheet *>(window->currentSheet());
    }
    static QString shownText(QWidget *parent, const QString &name)
    {
        auto *label = parent->findChild<QLabel *>(name);
        return label && label->isVisible() ? label->text() : QString();
    }
    static void type(RevealableSecureField *field, const QString &text)
    {
        field->edit()->clear();
        QTest::keyClicks(field->edit(), text);
    }
    void waitForNoSheet() { EXPECT_TRUE(QTest::qWaitFor([this] { return !window->currentSheet(); }, 20000)); }

    QTemporaryDir folder;
    MemorySecretStore secrets;
    KeyStore store{secrets, folder.filePath(u"Keys"_s)};
    FakePanels panels;
    std::unique_ptr<AppModel> model;
    std::unique_ptr<MainWindow> window;
};

} // namespace

TEST_F(MainWindowTest, FirstRunMakesAPassphraseKeyThroughTheSheet)
{
    launch();
    ASSERT_EQ(shownView(), window->detail()->welcome());
    window->detail()->welcome()->newKeyButton()->click();
    auto *newKey = sheet<NewKeySheet>();
    ASSERT_NE(newKey, nullptr);
    EXPECT_EQ(newKey->windowModality(), Qt::WindowModal);
    EXPECT_EQ(newKey->focusWidget(), newKey->nameField());
    QTest::keyClicks(newKey->nameField(), u"Spring survey"_s);
    newKey->passphraseChoice()->click();
    PassphraseFields *fields = newKey->passphraseFields();

    // The rule and mismatch texts follow what is typed.
    const struct
    {
        QString first, confirm, rule, mismatch;
        bool makeable;
    } typing[] = {
        {u"short"_s, u""_s, u"Use at least 8 characters."_s, u""_s, false},
        {u"aaaaaaaaab"_s, u""_s, u"Use a passphrase with more variety."_s, u""_s, false},
        {passphrase, u"correct horse"_s, u""_s, u"The passphrases don’t match."_s, false},
        {passphrase, passphrase, u""_s, u""_s, true},
    };
    for (const auto &step : typing) {
        type(fields->first(), step.first);
        type(fields->confirm(), step.confirm);
        EXPECT_EQ(shownText(fields, u"passphraseRule"_s), step.rule) << step.first.toStdString();
        EXPECT_EQ(shownText(fields, u"passphraseMismatch"_s), step.mismatch) << step.confirm.toStdString();
        EXPECT_EQ(newKey->actionButton()->isEnabled(), step.makeable);
    }

    newKey->actionButton()->click();
    EXPECT_TRUE(newKey->working());
    waitForNoSheet();
    EXPECT_EQ(rows(), QStringList{u"Spring survey, Passphrase · 0 values · 0 files"_s});
    EXPECT_EQ(shownView(), window->detail()->tabs());
}

TEST_F(MainWindowTest, LockedKeysOpenOnlyWithTheirPassphrase)
{
    addKey(u"Survey"_s, true);
    launch();
    UnlockView *unlock = window->detail()->unlock();
    ASSERT_EQ(shownView(), unlock);
    EXPECT_EQ(rows(), QStringList{u"Survey, locked, Passphrase"_s});

    const auto tryPassphrase = [&](const QString &typed) {
        type(unlock->passphraseField(), typed);
        QTest::keyClick(unlock->passphraseField()->edit(), Qt::Key_Return);
        EXPECT_FALSE(unlock->unlockButton()->isEnabled());
        EXPECT_TRUE(QTest::qWaitFor([&] { return !model->unlocking(); }, 20000));
    };
    tryPassphrase(u"not the passphrase"_s);
    EXPECT_TRUE(unlock->wrong());
    EXPECT_EQ(shownText(unlock, u"wrongPassphrase"_s), u"That passphrase doesn’t open this key."_s);
    EXPECT_EQ(shownView(), unlock);
    EXPECT_EQ(model->openKey(), nullptr);

    // Revealing keeps the typing in the field.
    RevealableSecureField *field = unlock->passphraseField();
    field->revealButton()->setFocus();
    QTest::keyClick(field->revealButton(), Qt::Key_Space);
    EXPECT_EQ(field->edit()->echoMode(), QLineEdit::Normal);
    EXPECT_EQ(field->revealButton()->accessibleName(), u"Hide passphrase"_s);
    EXPECT_TRUE(field->edit()->hasFocus());

    tryPassphrase(passphrase);
    EXPECT_EQ(shownView(), window->detail()->tabs());
    window->command(u"Lock All Keys"_s)->trigger();
    EXPECT_EQ(shownView(), unlock);
    EXPECT_FALSE(unlock->wrong());
}

TEST_F(MainWindowTest, RenameExportImportAndDeleteFromTheRowMenu)
{
    addKey(u"Vendors"_s, false);
    launch();
    ASSERT_EQ(shownView(), window->detail()->tabs());

    // The menu key opens the current row's menu.
    QStringList offered;
    QTimer::singleShot(0, [&] {
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            for (QAction *action : menu->actions())
                offered.append(action->text());
            menu->close();
        }
    });
    QListWidget *list = window->sidebar()->list();
    const QPoint middle = list->rect().center();
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, middle, list->mapToGlobal(middle));
    QApplication::sendEvent(list, &menuKey);
    EXPECT_EQ(offered, (QStringList{u"Rename…"_s, u"Export…"_s, u"Delete…"_s}));

    chooseFromRowMenu(u"Rename…"_s);
    auto *rename = sheet<RenameSheet>();
    ASSERT_NE(rename, nullptr);
    EXPECT_EQ(rename->nameField()->text(), u"Vendors"_s);
    rename->nameField()->setText(u"Suppliers"_s);
    QTest::keyClick(rename->nameField(), Qt::Key_Return);
    waitForNoSheet();
    EXPECT_EQ(rows(), QStringList{u"Suppliers, Keyring · 0 values · 0 files"_s});

    // A store-protected key leaves only as a passphrase copy.
    panels.answer = folder.filePath(u"Suppliers.quorvanekey"_s);
    chooseFromRowMenu(u"Export…"_s);
    auto *exporting = sheet<ExportSheet>();
    ASSERT_NE(exporting, nullptr);
    type(exporting->passphraseFields()->first(), passphrase);
    type(exporting->passphraseFields()->confirm(), passphrase);
    exporting->actionButton()->click();
    waitForNoSheet();
    EXPECT_EQ(panels.message,
              u"Keep this file somewhere safe. With its passphrase it restores files swapped with this key."_s);
    EXPECT_TRUE(KeyFile(readBytes(*panels.answer)).protection().isPassphrase());

    // Importing a key already present is a problem shown as an alert.
    window->command(u"Import Key…"_s)->trigger();
    ASSERT_NE(window->alert(), nullptr);
    EXPECT_EQ(window->alert()->text(), u"You already have this key"_s);
    EXPECT_EQ(window->alert()->informativeText(), u"“Suppliers” is already in your keys."_s);
    window->alert()->button(QMessageBox::Ok)->click();
    EXPECT_FALSE(model->problem());

    const auto answerDelete = [&](const QString &button) {
        chooseFromRowMenu(u"Delete…"_s);
        QMessageBox *confirm = window->deleteConfirmation();
        ASSERT_NE(confirm, nullptr);
        EXPECT_EQ(confirm->text(), u"Delete the key “Suppliers”?"_s);
        for (QAbstractButton *candidate : confirm->buttons()) {
            if (candidate->text() == button)
                candidate->click();
        }
    };
    answerDelete(u"Cancel"_s);
    EXPECT_EQ(rows().size(), 1);
    answerDelete(u"Delete Key"_s);
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_EQ(shownView(), window->detail()->welcome());

    // The exported copy comes back through the welcome view, locked.
    window->detail()->welcome()->importButton()->click();
    EXPECT_EQ(rows(), QStringList{u"Suppliers, locked, Passphrase"_s});
    EXPECT_EQ(shownView(), window->detail()->unlock());
}

TEST_F(MainWindowTest, RowsCountValuesAndFilesOnlyWhileOpen)
{
    ProjectKey key(u"Survey"_s);
    const KeyFile passphraseFile = KeyFile::seal(key, KeyFile::Protection::passphrase(KeyFile::newSalt(), testRounds),
                                                 KeyFile::newSecret());
    const KeyFile storeFile = KeyFile::seal(key, KeyFile::Protection::keychain(), KeyFile::newSecret());
    ProjectKey used = key;
    used.assignSubstitute(u"Maria"_s, EntryKind::firstName, {});
    used.addFile(u"a.csv"_s);
    ProjectKey busier = used;
    busier.assignSubstitute(u"James"_s, EntryKind::firstName, {});
    busier.addFile(u"b.csv"_s);
    const struct
    {
        const KeyFile &file;
        const ProjectKey *open;
        QString details;
    } cases[] = {
        {storeFile, nullptr, u"Keyring"_s},
        {passphraseFile, nullptr, u"Passphrase"_s},
        {storeFile, &key, u"Keyring · 0 values · 0 files"_s},
        {passphraseFile, &used, u"Passphrase · 1 value · 1 file"_s},
        {passphraseFile, &busier, u"Passphrase · 2 values · 2 files"_s},
    };
    for (const auto &row : cases)
        EXPECT_EQ(KeyRow::details(row.file, row.open), row.details);
}

TEST_F(MainWindowTest, TheNextLaunchComesBackToTheSameTab)
{
    addKey(u"Vendors"_s, false);
    launch();
    window->command(u"Restore"_s)->trigger();
    window->close();
    launch();
    EXPECT_EQ(model->tab(), AppModel::Tab::restore);
    EXPECT_EQ(window->detail()->tabs()->restoreButton()->isChecked(), true);
}

TEST(SingleInstanceTest, ALaterLaunchWakesTheFirst)
{
    const QString name = u"quorvane-test-"_s % QUuid::createUuid().toString(QUuid::Id128);
    SingleInstance first(name);
    ASSERT_TRUE(first.claim());
    QSignalSpy woken(&first, &SingleInstance::anotherLaunch);
    SingleInstance second(name);
    EXPECT_FALSE(second.claim());
    EXPECT_TRUE(woken.wait(5000));
}

TEST_F(MainWindowTest, EveryShortcutReachesItsCommand)
{
    addKey(u"Vendors"_s, false);
    launch();
    panels.answer = folder.filePath(u"returned.csv"_s);
    const QString swapPrompt = u"Choose a CSV or Excel file to swap."_s;
    const QString restorePrompt = u"Choose a returned file to restore."_s;
    const struct
    {
        QKeySequence keys;
        std::function<bool()> reached;
    } shortcuts[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_2), [&] { return model->tab() == AppModel::Tab::restore; }},
        {QKeySequence(Qt::CTRL | Qt::Key_1), [&] { return model->tab() == AppModel::Tab::swap; }},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O),
         [&] { return model->tab() == AppModel::Tab::restore && panels.message == restorePrompt; }},
        {QKeySequence(Qt::CTRL | Qt::Key_O),
         [&] { return model->tab() == AppModel::Tab::swap && panels.message == swapPrompt; }},
        {QKeySequence(Qt::CTRL | Qt::Key_L), [&] { return model->opened().isEmpty(); }},
        {QKeySequence(Qt::CTRL | Qt::Key_N), [&] { return sheet<NewKeySheet>() != nullptr; }},
    };
    for (const auto &shortcut : shortcuts) {
        QTest::keySequence(window.get(), shortcut.keys);
        EXPECT_TRUE(shortcut.reached()) << shortcut.keys.toString().toStdString();
    }
}
