#include "app/views/DetailArea.h"
#include "app/views/DropZone.h"
#include "app/views/MainWindow.h"
#include "app/views/ModelBlock.h"
#include "app/views/PreferencesDialog.h"
#include "app/views/RestoreView.h"
#include "app/views/SessionTabs.h"
#include "app/views/SwapColumnsPage.h"
#include "app/views/SwapDonePage.h"
#include "app/views/SwapReviewPage.h"
#include "app/views/SwapView.h"
#include "tests/ai/ScriptedServer.h"
#include "tests/app/SessionFixture.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>

using namespace quorvane;
using namespace quorvane::test;
using namespace Qt::StringLiterals;

namespace {

// The two tabs as a user meets them in the window.
class SessionViewsTest : public SessionFixture
{
protected:
    void SetUp() override
    {
        SessionFixture::SetUp();
        window = std::make_unique<MainWindow>(model, panels);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    SwapView *swapView() const { return window->detail()->tabs()->swapView(); }
    RestoreView *restoreView() const { return window->detail()->tabs()->restoreView(); }
    void press(const QKeySequence &keys) { QTest::keySequence(window.get(), keys); }
    static QStringList texts(const QList<QAction *> &actions)
    {
        QStringList all;
        for (const QAction *action : actions)
            all.append(action->text());
        return all;
    }

    std::unique_ptr<MainWindow> window;
};

} // namespace

TEST_F(SessionViewsTest, AWorkbookSwappedUntickedExtendedSavedAndCopied)
{
    panels.open = path(u"customers.xlsx"_s);
    press(Qt::CTRL | Qt::Key_O);
    EXPECT_EQ(panels.message, u"Choose a CSV or Excel file to swap."_s);
    settle();
    SwapColumnsPage *columns = swapView()->columnsPage();
    ASSERT_EQ(swapView()->currentPage(), columns);
    EXPECT_EQ(columns->preview()->rowCount(), 25);
    EXPECT_TRUE(columns->summary()->text().startsWith(u"Excel workbook · 24 rows · "_s));
    EXPECT_FALSE(columns->note()->isVisible());

    columns->showKindMenu(6);
    auto *menu = columns->findChild<QMenu *>(u"kindMenu"_s);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(texts(menu->actions()).first(), u"Find automatically"_s);
    menu->actions().at(1)->trigger(); // Skip
    menu->close();
    settle();
    EXPECT_TRUE(columns->preview()->horizontalHeaderItem(6)->text().endsWith(title(ColumnKind::skip) % u" ▾"_s));

    QTest::mouseClick(columns->reviewButton(), Qt::LeftButton);
    SwapReviewPage *review = swapView()->reviewPage();
    ASSERT_EQ(swapView()->currentPage(), review);
    const int all = review->items()->count();
    review->items()->item(0)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(review->countLine()->text(), QString::number(all - 1) % u" of "_s % QString::number(all)
                                               % u" will be replaced"_s);
    QTest::keyClicks(review->extraTerm(), u"Pro"_s);
    QTest::mouseClick(review->addTermButton(), Qt::LeftButton);
    settle();
    EXPECT_EQ(review->items()->count(), all + 1);
    EXPECT_EQ(review->items()->item(0)->checkState(), Qt::Unchecked);

    panels.save = path(u"shared.xlsx"_s);
    QTest::mouseClick(review->swapButton(), Qt::LeftButton);
    settle();
    SwapDonePage *done = swapView()->donePage();
    ASSERT_EQ(swapView()->currentPage(), done);
    EXPECT_TRUE(done->savedLine()->text().startsWith(u"Saved “shared.xlsx” with "_s));
    EXPECT_EQ(texts(done->copyMenu()->actions()), QStringList({u"Copy All 24 Rows"_s, u"Copy Some Rows…"_s}));
    EXPECT_FALSE(done->restoreReplyButton()->isVisible());

    // The kind menu took the focus away when it closed.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    press(Qt::SHIFT | Qt::CTRL | Qt::Key_C);
    ASSERT_TRUE(clipboard.held);
    EXPECT_EQ(done->copiedLine()->text(), u"Copied 24 rows with stand-ins as a Markdown table."_s);
    QTest::mouseClick(done->restoreReplyButton(), Qt::LeftButton);
    EXPECT_EQ(model.tab(), AppModel::Tab::restore);

    // Row 1 was unticked and kept its real name; row 2 has a stand-in.
    const QString standIn = model.swap().outcome()->after.at(2).at(1);
    QTest::keyClicks(restoreView()->pasted(), u"Ask "_s % standIn % u" about it."_s);
    QTest::mouseClick(restoreView()->restoreTextButton(), Qt::LeftButton);
    EXPECT_EQ(restoreView()->restored()->toPlainText(), u"Ask James Whitfield about it."_s);
    EXPECT_EQ(restoreView()->restoredCount()->text(), u"2 restored"_s);
}

TEST_F(SessionViewsTest, AReturnedFileChosenFromTheMenuIsRestoredAndSaved)
{
    const QString swapped = swapSample();
    panels.open = swapped;
    press(Qt::SHIFT | Qt::CTRL | Qt::Key_O);
    EXPECT_EQ(model.tab(), AppModel::Tab::restore);
    settle();
    RestoreView *view = restoreView();
    EXPECT_EQ(view->fileName()->text(), u"customers (stand-ins).csv"_s);
    EXPECT_TRUE(view->countLine()->text().endsWith(u" stand-ins found"_s));
    EXPECT_EQ(view->sample()->text().count(u"→"_s), 6);

    panels.save = path(u"back.csv"_s);
    QTest::mouseClick(view->saveButton(), Qt::LeftButton);
    settle();
    EXPECT_EQ(panels.suggestedName, u"customers (restored).csv"_s);
    EXPECT_EQ(view->savedLine()->text(), u"Saved “back.csv”"_s);

    QTest::mouseClick(view->chooseAnotherButton(), Qt::LeftButton);
    EXPECT_TRUE(view->dropZone()->isVisible());
}

TEST_F(SessionViewsTest, AFileDroppedOnEitherTabOpensThere)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path(u"customers.csv"_s))});
    // A drop reaches only the widget that took the drag's entry.
    const auto dropOn = [&data](QWidget *target) {
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &drop);
    };
    dropOn(swapView()->dropZone());
    settle();
    EXPECT_EQ(model.swap().step(), SwapSession::Step::columns);

    model.setTab(AppModel::Tab::restore);
    dropOn(restoreView());
    settle();
    ASSERT_TRUE(model.restore().ready());
    EXPECT_EQ(restoreView()->countLine()->text(), RestoreSession::noneFound());
}

TEST_F(SessionViewsTest, PreferencesKeepTheServerOnThisComputerUnlessAllowed)
{
    PreferencesDialog preferences(model.models(), nullptr, window.get());
    QPushButton *ok = preferences.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
    QTest::keyClicks(preferences.address(), u"http://10.1.2.3:8080"_s);
    EXPECT_FALSE(ok->isEnabled());
    preferences.allowRemote()->setChecked(true);
    EXPECT_TRUE(ok->isEnabled());
    preferences.address()->setText(u"http://127.0.0.1:8080"_s);
    preferences.allowRemote()->setChecked(false);
    QTest::keyClicks(preferences.modelName(), u"small"_s);
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(ModelChoice::stored(), (LocalModelSettings{u"http://127.0.0.1:8080"_s, u"small"_s, false}));
}

TEST_F(SessionViewsTest, LongSheetsPreview300RowsAndOfferTheCopiesTheyHave)
{
    const struct
    {
        int dataRows;
        bool note;
        QStringList menu;
    } cases[] = {
        {20, false, {u"Copy All 20 Rows"_s, u"Copy Some Rows…"_s}},
        {101, false, {u"Copy All 101 Rows"_s, u"Copy the First 25 Rows"_s, u"Copy the First 100 Rows"_s, u"Copy Some Rows…"_s}},
        {299, false, {u"Copy All 299 Rows"_s, u"Copy the First 25 Rows"_s, u"Copy the First 100 Rows"_s, u"Copy Some Rows…"_s}},
        {300, true, {u"Copy All 300 Rows"_s, u"Copy the First 25 Rows"_s, u"Copy the First 100 Rows"_s, u"Copy Some Rows…"_s}},
    };
    SwapSession &swap = model.swap();
    for (const auto &each : cases) {
        QByteArray csv = "Customer,Email\n";
        for (int row = 0; row < each.dataRows; ++row)
            csv += "Alice Smith,alice" + QByteArray::number(row) + "@example.net\n";
        const QString file = path(u"rows%1.csv"_s.arg(each.dataRows));
        ASSERT_TRUE(writeBytes(file, csv));
        swap.open(file);
        settle();
        SwapColumnsPage *columns = swapView()->columnsPage();
        EXPECT_EQ(columns->note()->isVisible(), each.note) << each.dataRows;
        EXPECT_EQ(columns->preview()->rowCount(), std::min(each.dataRows + 1, 300));
        swap.review();
        panels.save = path(u"out%1.csv"_s.arg(each.dataRows));
        swap.swapAndSave();
        settle();
        EXPECT_EQ(texts(swapView()->donePage()->copyMenu()->actions()), each.menu);
    }
}

TEST_F(SessionViewsTest, TheModelBlockNamesTheLocalModelAndShowsItsRun)
{
    ScriptedServer server([](const ScriptedServer::Request &request, int) {
        if (request.method == "GET")
            return ScriptedServer::Reply{200, R"({"object":"list","data":[{"id":"test"}]})", 0};
        ScriptedServer::Reply reply = ScriptedServer::completion(u"{\"names\":[]}"_s);
        reply.delayMs = 20;
        return reply;
    });
    model.models().setSettings({server.address(), u"test"_s, false});
    model.swap().open(path(u"customers.csv"_s));
    settle();
    ASSERT_TRUE(QTest::qWaitFor([this] { return model.swap().modelAvailable(); }, 5000));
    model.swap().review();
    ModelBlock *block = swapView()->reviewPage()->modelBlock();
    ASSERT_TRUE(block->isVisible());
    const int queued = int(model.swap().modelQueue().pairs.size());
    EXPECT_EQ(block->text()->text(), u"The local language model can read "_s % QString::number(queued)
                                         % u" cells for names the rules missed, on this computer (about "_s
                                         % QString::number(SecondOpinion::estimateSeconds(queued)) % u" s)."_s);
    EXPECT_EQ(block->askButton()->text(), u"Ask the local language model"_s);

    QTest::mouseClick(block->askButton(), Qt::LeftButton);
    EXPECT_TRUE(block->stopButton()->isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&] { return block->finished()->isVisible() && !model.swap().scanning(); }, 30000));
    EXPECT_EQ(block->finished()->text(), u"The local language model read "_s % QString::number(queued)
                                             % u" cells. Anything it found is listed above."_s);
    EXPECT_FALSE(block->stopButton()->isVisible());
}
