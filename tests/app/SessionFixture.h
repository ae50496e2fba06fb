#pragma once

// An app model with one open key, fake panels and clipboard, and the sample
// files copied into a folder of their own, for walking the sessions.
#include "app/AppModel.h"
#include "app/Clipboard.h"
#include "app/Panels.h"
#include "store/MemorySecretStore.h"
#include "tests/FileBytes.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace quorvane::test {

struct FakeSessionPanels : Panels
{
    std::optional<QString> open, save;
    QString suggestedName, extension, message;
    int saveAsked = 0;

    std::optional<QString> chooseSaveLocation(const QString &name, const QString &ext, const QString &text) override
    {
        ++saveAsked;
        suggestedName = name;
        extension = ext;
        message = text;
        return save;
    }
    std::optional<QString> chooseFileToOpen(const QStringList &, const QString &text) override
    {
        message = text;
        return open;
    }
};

struct FakeClipboard : Clipboard
{
    std::optional<QString> held;
    std::optional<QString> text() const override { return held; }
    void setText(const QString &text) override { held = text; }
};

class SessionFixture : public testing::Test
{
protected:
    void SetUp() override
    {
        QSettings().clear();
        model.setClipboard(clipboard);
        model.makeKey(QStringLiteral("Customers"), std::nullopt);
        ASSERT_NE(model.openKey(), nullptr);
        for (const QString &name : {QStringLiteral("customers.csv"), QStringLiteral("customers.xlsx")})
            ASSERT_TRUE(QFile::copy(QStringLiteral(QUORVANE_SOURCE_DIR "/examples/") + name, path(name)));
    }

    QString path(const QString &name) const { return folder.filePath(name); }
    QByteArray storedKey() const { return readBytes(store.filePath(model.openKey()->key.id())); }

    // Until nothing runs in the background that the user would wait for.
    void settle()
    {
        ASSERT_TRUE(QTest::qWaitFor([this] {
            return !model.swap().busy() && !model.swap().scanning() && !model.restore().busy();
        }, 30000));
    }

    // The sample swapped and saved as "customers (stand-ins).EXT".
    QString swapSample(const QString &name = QStringLiteral("customers.csv"))
    {
        SwapSession &swap = model.swap();
        swap.open(path(name));
        settle();
        swap.review();
        panels.save = path(QFileInfo(name).completeBaseName() + QStringLiteral(" (stand-ins).") + QFileInfo(name).suffix());
        swap.swapAndSave();
        settle();
        EXPECT_EQ(swap.step(), SwapSession::Step::done);
        return *panels.save;
    }

    QTemporaryDir folder;
    MemorySecretStore secrets;
    KeyStore store{secrets, folder.filePath(QStringLiteral("Keys"))};
    FakeSessionPanels panels;
    FakeClipboard clipboard;
    AppModel model{store, panels, 1000};
};

} // namespace quorvane::test
