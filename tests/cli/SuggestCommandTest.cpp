// The suggest command end to end: the name tagger's list, and the checks on
// the model server's address. No test here reaches a model.
#include "CliRun.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using namespace quorvane::test;
using namespace Qt::StringLiterals;

namespace {

const QStringList passphrase{u"QUORVANE_PASSPHRASE=correct horse battery staple 42"_s};

class SuggestCommand : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        dir = new QTemporaryDir;
        ASSERT_TRUE(writeBytes(dir->filePath(u"notes.csv"_s),
                               "Name,Notes\nAna Ruiz,asked maria about the roof\nBo Lee,all good\nCy Dunn,parcel sent\n"));
        ASSERT_EQ(runQuorvane({u"key"_s, u"new"_s, u"--name"_s, u"T"_s, u"--out"_s, keyPath()}, passphrase).code, 0);
    }
    static void TearDownTestSuite() { delete dir; }

    static QString keyPath() { return dir->filePath(u"t.quorvanekey"_s); }
    static Result suggest(const QStringList &more = {})
    {
        return runQuorvane(QStringList{u"suggest"_s, dir->filePath(u"notes.csv"_s), u"--key"_s, keyPath()} + more,
                        passphrase);
    }

    static inline QTemporaryDir *dir = nullptr;
};

} // namespace

TEST_F(SuggestCommand, ListsTheTaggersSuggestionsWithTheirCells)
{
    const Result result = suggest();
    ASSERT_EQ(result.code, 0) << result.err.toStdString();
    EXPECT_TRUE(result.out.startsWith(u"Possible names the rules missed ("_s)) << result.out.toStdString();
    EXPECT_TRUE(result.out.contains(u"so check each one."_s));
}

TEST_F(SuggestCommand, SendsCellsOnlyToThisComputerUnlessAllowed)
{
    const Result remote = suggest({u"--model-url"_s, u"http://192.0.2.7:8080"_s});
    EXPECT_EQ(remote.code, 2);
    EXPECT_TRUE(remote.err.contains(u"--allow-remote-model"_s)) << remote.err.toStdString();

    // Port 1 on this computer has no server: the run stops at the first cell.
    const Result closed = suggest({u"--model-url"_s, u"http://127.0.0.1:1"_s});
    EXPECT_EQ(closed.code, 0);
    EXPECT_TRUE(closed.err.contains(u"Asked 1 in"_s)) << closed.err.toStdString();
    EXPECT_TRUE(closed.err.contains(u"could not be reached"_s));

    EXPECT_EQ(suggest({u"--model"_s, u"x"_s}).code, 2);
}
