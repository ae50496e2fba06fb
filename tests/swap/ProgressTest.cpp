#include "kit/ProgressMeter.h"
#include "kit/files/Spreadsheet.h"
#include "kit/swap/Scan.h"
#include "kit/swap/Scrubber.h"
#include "tests/ProgressLog.h"

#include <gtest/gtest.h>

using namespace quorvane;
using namespace Qt::StringLiterals;

namespace {

// A header, blank rows (skipped by the scan but still cells) and rows of
// names, e-mails and notes.
Spreadsheet peopleSheet(int rows)
{
    QString text = u"Name,Email,Notes\n,,\n"_s;
    for (int r = 0; r < rows; ++r)
        text += u"Maria Lopez%1,maria%1@acme.com,Called Tom Reyes on day %1\n"_s.arg(r);
    return Spreadsheet(text.toUtf8(), u"people.csv"_s);
}

} // namespace

TEST(Progress, ScanAndWriteEachRunOnceFromNothingToTheirTotal)
{
    const Spreadsheet file = peopleSheet(3000);
    ProjectKey key(u"Test"_s);
    test::ProgressLog scanning, writing;
    const Scan planned = scan(file, key, {}, scanning.report());
    scanning.expectRanToItsEnd(Progress::Stage::scanning);
    EXPECT_GE(scanning.reports.last().total, file.cellCount());

    const Scrubber::Result result = Scrubber::apply(planned, file, key, {}, writing.report());
    writing.expectRanToItsEnd(Progress::Stage::writing);
    EXPECT_EQ(writing.reports.last().total, file.offeredCellCount());
    EXPECT_GT(result.replaced, 0);
}

// Counted work may overrun an estimated total (a workbook offers its loose
// texts after the counted cells); the total is still reached only at the end.
TEST(Progress, CountsPastTheTotalWaitForTheFinish)
{
    const struct
    {
        qint64 total;
        qint64 counted;
    } cases[] = {{1000, 1000}, {1000, 5000}, {7, 3}, {1, 1}, {0, 10}, {250, 0}};
    for (const auto &c : cases) {
        test::ProgressLog log;
        ProgressMeter meter(log.report(), Progress::Stage::restoring, c.total);
        for (qint64 i = 0; i < c.counted; ++i) {
            meter.advance();
            ASSERT_TRUE(log.reports.last().done < c.total || c.total == 0) << c.total << " " << i;
        }
        meter.finish();
        meter.finish();
        log.expectRanToItsEnd(Progress::Stage::restoring);
        EXPECT_EQ(log.reports.last().total, c.total);
    }
}
