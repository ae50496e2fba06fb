#include "tests/app/SessionFixture.h"

using namespace quorvane;
using namespace quorvane::test;
using namespace Qt::StringLiterals;

namespace {

class RestoreSessionTest : public SessionFixture
{
protected:
    RestoreSession &restore = model.restore();

    void openReturned(const QString &file)
    {
        restore.open(file);
        settle();
        ASSERT_TRUE(restore.ready());
    }
};

// The returned copy as a contractor might send it back: rows sorted the
// other way, one cell edited, a row added.
QByteArray editedReturn(const QByteArray &swapped)
{
    QList<QByteArray> lines = swapped.trimmed().split('\n');
    const QByteArray header = lines.takeFirst();
    std::reverse(lines.begin(), lines.end());
    lines[0].replace(",Pro,", ",Enterprise,");
    lines.append("2001,Nobody Known,nobody@example.org,,,Basic,added later");
    return header + '\n' + lines.join('\n') + '\n';
}

} // namespace

TEST_F(RestoreSessionTest, AReturnedFileThatWasSortedAndEditedComesBackAndSaves)
{
    const QString swapped = swapSample();
    const QString returned = path(u"returned (stand-ins).csv"_s);
    ASSERT_TRUE(writeBytes(returned, editedReturn(readBytes(swapped))));

    openReturned(returned);
    EXPECT_EQ(restore.ready()->kind, FileKind::csv);
    EXPECT_GT(restore.ready()->count, 24);
    ASSERT_EQ(restore.ready()->sample.size(), RestoreSession::sampleSize);
    for (const auto &[withStandIns, real] : restore.ready()->sample)
        EXPECT_NE(withStandIns, real);
    EXPECT_TRUE(restore.ready()->data.contains("Maria Lopez"));
    EXPECT_TRUE(restore.ready()->data.contains("Enterprise"));

    panels.save = path(u"back.csv"_s);
    restore.saveRestored();
    settle();
    EXPECT_EQ(panels.suggestedName, u"returned (restored).csv"_s);
    EXPECT_EQ(panels.message, u"Save a copy with the real values back. Keep it private."_s);
    EXPECT_EQ(restore.savedAs(), u"back.csv"_s);
    EXPECT_EQ(readBytes(*panels.save), restore.ready()->data);

    // A file swapped with no key of ours: nothing found, no sample, no error.
    openReturned(path(u"customers.csv"_s));
    EXPECT_EQ(restore.ready()->count, 0);
    EXPECT_TRUE(restore.ready()->sample.isEmpty());
    EXPECT_FALSE(restore.savedAs());

    // An unreadable file keeps the one before and names the problem.
    restore.open(path(u"no such file.csv"_s));
    settle();
    EXPECT_TRUE(restore.error());
    ASSERT_TRUE(model.problem());
    EXPECT_EQ(model.problem()->title, u"The file couldn’t be opened"_s);
    EXPECT_EQ(restore.ready()->fileName, u"customers.csv"_s);
    model.dismissProblem();
    EXPECT_FALSE(restore.error());

    restore.reset();
    EXPECT_FALSE(restore.ready());
}

TEST_F(RestoreSessionTest, PastedTextComesBackWithItsCount)
{
    swapSample();
    const QString standIn = model.swap().outcome()->after.at(1).at(1);
    const struct
    {
        QString pasted;
        QString restored;
        int count;
    } cases[] = {
        {u""_s, u""_s, 0},
        {u"Nothing to see."_s, u"Nothing to see."_s, 0},
        {u"  Call "_s % standIn % u" today.\n"_s, u"  Call Maria Lopez today.\n"_s, 2}, // first and last name
    };
    for (const auto &each : cases) {
        restore.setPasted(each.pasted);
        restore.restorePasted();
        EXPECT_EQ(restore.restoredText(), each.restored);
        EXPECT_EQ(restore.restoredCount(), each.count);
    }
}
