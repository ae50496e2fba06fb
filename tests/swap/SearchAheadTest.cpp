#include "kit/swap/SearchAhead.h"

#include <gtest/gtest.h>

#include <thread>

using namespace quorvane;
using namespace Qt::StringLiterals;

// Cells searched ahead hand over their findings in order, each with its own,
// across the blocks the findings are kept in and as those go; cells not
// searched, or without findings, hand over none.
TEST(SearchAhead, EachCellTakesItsOwnFindingsInOrder)
{
    if (std::thread::hardware_concurrency() < 2)
        GTEST_SKIP() << "one core: nothing is searched ahead";
    constexpr int rows = 40000;
    QList<PlacedCell> cells;
    for (int row = 0; row < rows; ++row) {
        cells.append({row, 0, {u"m.lopez%1@mail.net"_s.arg(row), true}});
        cells.append({row, 1, {u"no e-mail here"_s, true}});
        cells.append({row, 2, {u"t.reyes%1@mail.net"_s.arg(row), true}});
    }
    const auto kindOf = [](const PlacedCell &placed) -> std::optional<ColumnKind> {
        // A third of the e-mail cells are left alone.
        if (placed.column == 2 && placed.row % 3 == 0)
            return std::nullopt;
        return ColumnKind::email;
    };
    SearchAhead ahead(cells, kindOf, {}, 1);
    ASSERT_LT(ahead.from(), cells.size());
    qsizetype emails = 0;
    for (qsizetype i = ahead.from(); i < cells.size(); ++i) {
        const PlacedCell &placed = cells.at(i);
        const QList<Finding> found = ahead.take(i);
        if (!kindOf(placed) || placed.column == 1) {
            ASSERT_TRUE(found.isEmpty()) << i;
            continue;
        }
        ASSERT_EQ(found.size(), 1) << i;
        ASSERT_EQ(std::pair(found.front().kind, found.front().text), std::pair(ValueKind::email, placed.cell.text)) << i;
        ++emails;
    }
    EXPECT_GT(emails, 2 * (qsizetype(1) << 14));
}
