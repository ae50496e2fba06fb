#include "app/CopyName.h"
#include "app/SwapTexts.h"
#include "tests/ai/ScriptedServer.h"
#include "tests/app/SessionFixture.h"

#include <QSignalSpy>

using namespace quorvane;
using namespace quorvane::test;
using namespace Qt::StringLiterals;

namespace {

using Step = SwapSession::Step;

const ColumnID notes{0, 6};

class SwapSessionTest : public SessionFixture
{
protected:
    SwapSession &swap = model.swap();

    const ReviewItem &item(const QString &text)
    {
        for (const ReviewItem &found : swap.scan()->items) {
            if (found.text == text)
                return found;
        }
        ADD_FAILURE() << "no review item " << text.toStdString();
        return swap.scan()->items.constFirst();
    }
};

} // namespace

TEST(CopyNameTest, AnEarlierLabelIsReplacedNeverDoubled)
{
    const struct
    {
        QString input, label, expected;
    } cases[] = {
        {u"people.csv"_s, u"stand-ins"_s, u"people (stand-ins).csv"_s},
        {u"people (restored).csv"_s, u"stand-ins"_s, u"people (stand-ins).csv"_s},
        {u"people (stand-ins).xlsx"_s, u"restored"_s, u"people (restored).xlsx"_s},
        {u"people (stand-ins).xlsx"_s, u"stand-ins"_s, u"people (stand-ins).xlsx"_s},
        {u"v1.2 list.tsv"_s, u"restored"_s, u"v1.2 list (restored).tsv"_s},
        {u"export"_s, u"stand-ins"_s, u"export (stand-ins)"_s},
    };
    for (const auto &each : cases)
        EXPECT_EQ(CopyName::suggested(each.input, each.label), each.expected) << each.input.toStdString();
}

TEST(CopyNameTest, RefusesTheInputAndTheKeysFolderUnderAnySpelling)
{
    QTemporaryDir folder;
    const QString input = folder.filePath(u"people.csv"_s);
    ASSERT_TRUE(writeBytes(input, "a\n"));
    ASSERT_TRUE(QDir(folder.path()).mkdir(u"Keys"_s));
    ASSERT_TRUE(QDir(folder.path()).mkdir(u"sub"_s));
    EXPECT_TRUE(CopyName::refusal(folder.filePath(u"sub/../people.csv"_s), {input}, {}));
    EXPECT_TRUE(CopyName::refusal(folder.filePath(u"Keys/x.csv"_s), {input}, folder.filePath(u"Keys"_s)));
    EXPECT_FALSE(CopyName::refusal(folder.filePath(u"people (stand-ins).csv"_s), {input}, folder.filePath(u"Keys"_s)));
}

TEST_F(SwapSessionTest, TheSampleFromColumnsThroughReviewToTheMarkdownCopy)
{
    swap.open(path(u"customers.csv"_s));
    EXPECT_TRUE(swap.busy());
    settle();
    ASSERT_EQ(swap.step(), Step::columns);
    ASSERT_TRUE(swap.scan());
    EXPECT_EQ(SwapTexts::summary(swap.file()->kind(), swap.scan()->dataRows, int(swap.scan()->items.size())),
              u"CSV · 24 rows · "_s % QString::number(swap.scan()->items.size()) % u" values found"_s);

    // Two changes in a row: only the second one's scan is ever applied.
    QSignalSpy applied(&swap, &SwapSession::scanApplied);
    swap.setKind(notes, ColumnKind::skip);
    swap.setKind(notes, ColumnKind::fullName);
    settle();
    EXPECT_EQ(applied.count(), 1);
    EXPECT_EQ(swap.scan()->columns.value(notes), ColumnKind::fullName);
    swap.setKind(notes, ColumnKind::autoDetect);
    settle();

    swap.review();
    ASSERT_EQ(swap.step(), Step::review);
    const QString kept = item(u"James Whitfield"_s).id();
    swap.toggle(kept);
    EXPECT_TRUE(swap.excluded().contains(kept));

    swap.addExtraTerm(u"  Contract \n"_s, ValueKind::name);
    settle();
    EXPECT_TRUE(std::ranges::any_of(swap.scan()->items, [](const ReviewItem &found) {
        return found.text.compare(u"contract"_s, Qt::CaseInsensitive) == 0;
    }));
    swap.addExtraTerm(u"CONTRACT"_s, ValueKind::name);
    EXPECT_FALSE(swap.scanning()); // nothing changed, nothing to scan
    EXPECT_EQ(swap.options().extraTerms.size(), 1);

    // Suggestions: one added, one dismissed; a dismissed one stays away after rescans.
    if (swap.suggestions().size() >= 2) {
        const NameSuggestion added = swap.suggestions().at(0), dismissed = swap.suggestions().at(1);
        swap.dismiss(dismissed);
        swap.add(added);
        settle();
        for (const NameSuggestion &shown : swap.suggestions()) {
            EXPECT_NE(shown.id, dismissed.id);
            EXPECT_NE(shown.id, added.id);
        }
    }

    const QByteArray keyBefore = storedKey();
    panels.save = path(u"shared.csv"_s);
    swap.swapAndSave();
    settle();
    ASSERT_EQ(swap.step(), Step::done);
    EXPECT_EQ(panels.suggestedName, u"customers (stand-ins).csv"_s);
    EXPECT_EQ(panels.extension, u"csv"_s);
    EXPECT_EQ(panels.message, u"Save a copy with stand-ins. Your original file isn’t changed."_s);
    EXPECT_EQ(swap.outcome()->savedAs, u"shared.csv"_s);
    EXPECT_NE(storedKey(), keyBefore); // the new entries are on disk at once
    const QByteArray written = readBytes(*panels.save);
    EXPECT_TRUE(written.contains("James Whitfield"));  // unticked, so left alone
    EXPECT_FALSE(written.contains("Maria Lopez"));
    EXPECT_FALSE(written.contains("contract"));
    EXPECT_EQ(readBytes(path(u"customers.csv"_s)), readBytes(QStringLiteral(QUORVANE_SOURCE_DIR "/examples/customers.csv")));
    EXPECT_EQ(swap.outcome()->dataRows, 24);
    EXPECT_EQ(swap.outcome()->after.at(1).at(1), QString::fromUtf8(written).split(u'\n').at(1).split(u',').at(1));

    const struct
    {
        MarkdownTable::Rows rows;
        int copied;
    } copies[] = {{MarkdownTable::Rows::first(25), 24}, {MarkdownTable::Rows::first(100), 24},
                  {MarkdownTable::Rows::all(), 24}, {MarkdownTable::Rows::range(3, 7), 5}};
    for (const auto &copy : copies) {
        swap.copyMarkdown(copy.rows);
        EXPECT_EQ(swap.copiedRows(), copy.copied);
        EXPECT_EQ(clipboard.held->count(u'\n'), copy.copied + 2); // header, rule, rows
    }
    EXPECT_TRUE(clipboard.held->startsWith(u"| Customer ID | Name |"_s));
    EXPECT_EQ(SwapTexts::copied(5), u"Copied 5 rows with stand-ins as a Markdown table."_s);

    swap.startOver();
    EXPECT_EQ(swap.step(), Step::start);
    EXPECT_FALSE(swap.file());
}

TEST_F(SwapSessionTest, ACancelledOrFailedSaveWritesNothingAndLeavesTheKey)
{
    swap.open(path(u"customers.csv"_s));
    settle();
    swap.review();
    const QByteArray keyBefore = storedKey();
    const QStringList filesBefore = QDir(folder.path()).entryList(QDir::Files);

    const struct
    {
        std::optional<QString> place;
        std::optional<QString> problem;
    } attempts[] = {
        {std::nullopt, std::nullopt},
        {path(u"customers.csv"_s), u"The file couldn’t be saved"_s},       // the input itself
        {path(u"customers.csv/copy.csv"_s), u"The file couldn’t be saved"_s}, // under a file, not a folder
    };
    for (const auto &attempt : attempts) {
        model.dismissProblem();
        panels.save = attempt.place;
        swap.swapAndSave();
        settle();
        EXPECT_EQ(swap.step(), Step::review);
        EXPECT_EQ(model.problem() ? std::optional(model.problem()->title) : std::nullopt, attempt.problem);
        EXPECT_EQ(storedKey(), keyBefore);
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), filesBefore);
    }
    EXPECT_EQ(readBytes(path(u"customers.csv"_s)), readBytes(QStringLiteral(QUORVANE_SOURCE_DIR "/examples/customers.csv")));
}

TEST_F(SwapSessionTest, TheWorkbookSampleSwapsAndItsCopyOpens)
{
    const QString copy = swapSample(u"customers.xlsx"_s);
    EXPECT_EQ(panels.suggestedName, u"customers (stand-ins).xlsx"_s);
    const Spreadsheet written(readBytes(copy), u"x.xlsx"_s);
    EXPECT_EQ(written.grid(0).size(), Spreadsheet(readBytes(path(u"customers.xlsx"_s)), u"c.xlsx"_s).grid(0).size());
    EXPECT_GT(swap.outcome()->replaced, 24);
}

TEST_F(SwapSessionTest, AModelRunReportsProgressStopsAndFinishes)
{
    std::atomic<int> delayMs = 0;
    ScriptedServer server([&](const ScriptedServer::Request &request, int) {
        if (request.method == "GET")
            return ScriptedServer::Reply{200, R"({"object":"list","data":[{"id":"test"}]})", 0};
        ScriptedServer::Reply reply = ScriptedServer::completion(u"{\"names\":[\"Aisha\"]}"_s);
        reply.delayMs = delayMs;
        return reply;
    });
    model.models().setSettings({server.address(), u"test"_s, false});
    swap.open(path(u"customers.csv"_s));
    settle();
    ASSERT_TRUE(QTest::qWaitFor([&] { return swap.modelAvailable(); }, 5000));
    EXPECT_EQ(swap.modelLabel(), u"the local language model"_s);
    const int queued = int(swap.modelQueue().pairs.size());
    ASSERT_GT(queued, 1);

    // Stopped midway: the state goes back to idle and the earlier answers stay.
    delayMs = 150;
    swap.askModel();
    EXPECT_EQ(swap.modelState().kind, SwapSession::ModelState::Kind::asking);
    EXPECT_EQ(swap.modelState().total, queued);
    ASSERT_TRUE(QTest::qWaitFor([&] { return swap.modelState().done >= 1; }, 10000));
    swap.stopModel();
    EXPECT_EQ(swap.modelState().kind, SwapSession::ModelState::Kind::idle);
    EXPECT_TRUE(swap.modelAnswers().isEmpty());

    delayMs = 0;
    swap.askModel();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return swap.modelState().kind == SwapSession::ModelState::Kind::finished && !swap.scanning(); }, 30000));
    EXPECT_EQ(swap.modelState().asked, queued);
    EXPECT_EQ(swap.modelAnswers().size(), queued);
    EXPECT_EQ(SwapTexts::modelFinished(swap.modelLabel(), 3, 1, 2),
              u"The local language model read 3 cells (1 it couldn’t); 2 more weren’t read. Anything it found is "
              u"listed above."_s);
    EXPECT_EQ(SwapTexts::modelProgress(4, 9), u"Reading cell 4 of 9"_s);
}

// The reports of every stage reach the window on its own thread and run to
// the end; the indicators let go once the work is done.
TEST_F(SwapSessionTest, ScanSwapAndRestoreReportTheirProgressToTheEnd)
{
    QList<Progress> seen;
    const auto record = [&seen](const std::optional<Progress> &progress) {
        EXPECT_EQ(QThread::currentThread(), qApp->thread());
        if (progress)
            seen.append(*progress);
    };
    QObject::connect(&swap, &SwapSession::progressed, &swap, [&] { record(swap.progress()); });
    RestoreSession &restore = model.restore();
    QObject::connect(&restore, &RestoreSession::progressed, &restore, [&] { record(restore.progress()); });

    restore.open(swapSample());
    settle();
    for (const Progress::Stage stage : {Progress::Stage::scanning, Progress::Stage::writing, Progress::Stage::restoring}) {
        QList<Progress> reports;
        std::ranges::copy_if(seen, std::back_inserter(reports), [stage](const Progress &p) { return p.stage == stage; });
        ASSERT_FALSE(reports.isEmpty()) << int(stage);
        EXPECT_TRUE(std::ranges::is_sorted(reports, {}, &Progress::done)) << int(stage);
        EXPECT_EQ(reports.last().done, reports.last().total) << int(stage);
    }
    EXPECT_FALSE(swap.progress());
    EXPECT_FALSE(restore.progress());
}
