#include "kit/restore/RestoreAhead.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <thread>

using namespace quorvane;
using namespace Qt::StringLiterals;

namespace {

// A file of rows of different widths, the last row short: its cells, in the
// order the writer offers them, fall into stretches of both threads.
Spreadsheet fileOfCells(int rows)
{
    QByteArray csv;
    for (int row = 0; row < rows; ++row)
        csv += "r" + QByteArray::number(row) + (row % 4 ? ",b,c\n" : ",b\n");
    return Spreadsheet(csv + "last", u"cells.csv"_s);
}

// Restores a cell to itself reversed, and counts one value in every other
// column; remembers the column it was asked about.
int reversedInOddColumns(int column, const QString &text, QString &restored)
{
    if (column % 2 == 0)
        return 0;
    restored = text;
    std::reverse(restored.begin(), restored.end());
    restored += QString::number(column);
    return 1;
}

} // namespace

// Every cell the second thread restores is handed over in order with its own
// count and text, the writer's own cells between its stretches and the
// file's last, short stretch included.
TEST(RestoreAhead, EachCellTakesItsOwnRestoredText)
{
    if (std::thread::hardware_concurrency() < 2)
        GTEST_SKIP() << "one core: nothing is restored ahead";
    const Spreadsheet file = fileOfCells(10920); // 30 031 cells: the last stretch is short, and the thread's
    const QList<PlacedCell> cells = file.cells(0);
    RestoreAhead ahead(file, reversedInOddColumns, 1);
    qsizetype taken = 0;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (!ahead.restoresAhead(i))
            continue;
        QString expected;
        const int count = reversedInOddColumns(cells.at(i).column, cells.at(i).cell.text, expected);
        QStringView restored;
        ASSERT_EQ(ahead.take(i, restored), count) << i;
        if (count > 0) {
            ASSERT_EQ(restored, expected) << i;
        }
        ++taken;
    }
    EXPECT_GT(taken, cells.size() / 3);
    EXPECT_LT(taken, cells.size() * 2 / 3);
    EXPECT_TRUE(ahead.restoresAhead(cells.size() - 1));
}

// A cell that fails fails the writer when it comes to that cell; a writer that
// stops early, its file failed elsewhere, leaves no thread behind.
TEST(RestoreAhead, FailuresReachTheWriterAndAStoppedWriterWaitsForNothing)
{
    if (std::thread::hardware_concurrency() < 2)
        GTEST_SKIP() << "one core: nothing is restored ahead";
    const Spreadsheet file = fileOfCells(20000);
    const auto failing = [](int, const QString &text, QString &) -> int {
        if (text == u"r2000") // in the thread's first stretch
            throw std::runtime_error("the disk went away");
        return 0;
    };
    {
        RestoreAhead ahead(file, failing, 1);
        QStringView restored;
        const auto takeAll = [&] {
            for (qsizetype i = 0; i < file.offeredCellCount(); ++i) {
                if (ahead.restoresAhead(i))
                    ahead.take(i, restored);
            }
        };
        EXPECT_THROW(takeAll(), std::runtime_error);
    }
    {
        RestoreAhead ahead(file, reversedInOddColumns, 1);
        QStringView restored;
        ahead.take(4096, restored);
    }
}
