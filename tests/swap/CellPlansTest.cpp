#include "kit/swap/CellPlans.h"

#include <gtest/gtest.h>

using namespace quorvane;
using namespace Qt::StringLiterals;

namespace {

Planned plan(int start, const QString &text)
{
    return {{start, start + 1}, 0, text};
}

QStringList textsAt(const CellPlans &plans, const CellRef &cell)
{
    QStringList texts;
    for (const Planned &p : plans.at(cell))
        texts.append(p.text);
    return texts;
}

} // namespace

// Cells set in any order, replaced and cleared, keep the others' replacements
// where they were and stay in cell order.
TEST(CellPlans, SettingCellsAnywhereKeepsTheOthersAndTheOrder)
{
    CellPlans plans;
    plans.assign({plan(0, u"a"_s), plan(0, u"b"_s), plan(4, u"c"_s)}, {{{0, 1, 0}, 1}, {{0, 3, 0}, 3}});
    plans.insert({0, 2, 5}, {plan(0, u"d"_s)});
    plans.insert({0, 0, 1}, {plan(0, u"e"_s), plan(2, u"f"_s)});
    plans.insert({0, 3, 0}, {plan(1, u"g"_s)});
    plans.insert({0, 1, 0}, {});

    ASSERT_EQ(plans.size(), 3);
    EXPECT_EQ(std::tuple(plans.cell(0), plans.cell(1), plans.cell(2)),
              std::tuple(CellRef{0, 0, 1}, CellRef{0, 2, 5}, CellRef{0, 3, 0}));
    EXPECT_EQ(textsAt(plans, {0, 0, 1}), (QStringList{u"e"_s, u"f"_s}));
    EXPECT_EQ(textsAt(plans, {0, 2, 5}), QStringList{u"d"_s});
    EXPECT_EQ(textsAt(plans, {0, 3, 0}), QStringList{u"g"_s});
    EXPECT_TRUE(plans.at({0, 1, 0}).empty());
    EXPECT_TRUE(plans.at({1, 0, 0}).empty());
    EXPECT_EQ(plans.firstNotBefore({0, 2, 0}), 1);
    EXPECT_EQ(plans.firstNotBefore({1, 0, 0}), 3);
}
