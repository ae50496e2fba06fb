#include "app/AppModel.h"
#include "app/MenuBarSettings.h"
#include "tests/app/FakePanels.h"
#include "app/hotkey/NoGlobalHotKey.h"
#include "store/MemorySecretStore.h"
#include "app/views/MenuBarPanel.h"
#include "app/views/MenuRow.h"

#include <QComboBox>
#include <QLabel>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextDocumentFragment>

#include <gtest/gtest.h>

using namespace quorvane;
using namespace Qt::StringLiterals;

namespace {

MenuRow *row(const MenuBarPanel &panel, const QString &title)
{
    for (MenuRow *found : panel.findChildren<MenuRow *>())
        if (found->text() == title)
            return found;
    return nullptr;
}

QString shownLink(const MenuBarPanel &panel)
{
    for (QLabel *label : panel.findChildren<QLabel *>())
        if (label->isVisibleTo(&panel) && label->text().startsWith(u"<a "_s))
            return QTextDocumentFragment::fromHtml(label->text()).toPlainText();
    return {};
}

} // namespace

// The panel as it reads the app model: no keys, a locked passphrase key, and
// what its rows and settings do.
TEST(MenuBarPanel, FollowsTheKeysAndTheSettings)
{
    QSettings settings;
    settings.clear();
    QTemporaryDir folder;
    MemorySecretStore secrets;
    KeyStore store(secrets, folder.path());
    test::FakePanels panels;
    AppModel model(store, panels, 1000);
    NoGlobalHotKey hotKey;
    MenuBarSettings menuBar(settings, hotKey, [] {});
    int windowsOpened = 0;
    MenuBarPanel panel(model, menuBar, {{}, {}, {}, [&] { ++windowsOpened; }, {}});
    model.start();
    EXPECT_EQ(shownLink(panel), u"No keys yet. Open the app to make one.");

    const ProjectKey key(u"Donors"_s);
    const QByteArray salt = KeyFile::newSalt();
    store.save(KeyFile::seal(key, KeyFile::Protection::passphrase(salt, 1000),
                             KeyFile::deriveSecret(u"correct horse battery"_s, salt, 1000)));
    model.start();
    EXPECT_EQ(panel.findChild<QComboBox *>()->currentText(), u"Donors (locked)");
    EXPECT_EQ(shownLink(panel), u"Unlock “Donors” in the window…");
    for (QLabel *label : panel.findChildren<QLabel *>())
        if (label->text().startsWith(u"<a "_s))
            Q_EMIT label->linkActivated(u"window"_s);
    EXPECT_EQ(windowsOpened, 1);

    row(panel, u"Lock All Keys"_s)->click();
    EXPECT_EQ(model.menuBarMessage(), u"All keys are locked.");

    EXPECT_TRUE(row(panel, MenuBarPanel::restoreTitle())->shortcutHint().has_value());
    menuBar.setShortcut(false);
    EXPECT_FALSE(row(panel, MenuBarPanel::restoreTitle())->shortcutHint().has_value());
}
