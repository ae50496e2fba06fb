#include "kit/swap/CellPlans.h"

#include <gtest/gtest.h>

using namespace quorvane;
using namespace Qt::StringLiterals;

namespace {

// A plan told apart from the others by its respelling's number.
Planned plan(int start, char text)
{
    return {{start, start + 1}, 0, text - 'a'};
}

QString textsAt(const CellPlans &plans, const CellRef &cell)
{
    QString texts;
    for (const Planned &p : plans.at(cell))
        texts.append(QChar(u'a' + p.respelling));
    return texts;
}

} // namespace

// Cells set in any order, replaced and cleared, keep the others' replacements
// where they were and stay in cell order.
TEST(CellPlans, SettingCellsAnywhereKeepsTheOthersAndTheOrder)
{
    CellPlans plans;
    plans.assign({plan(0, 'a'), plan(0, 'b'), plan(4, 'c')}, {{{0, 1, 0}, 1}, {{0, 3, 0}, 3}});
    plans.insert({0, 2, 5}, {plan(0, 'd')});
    plans.insert({0, 0, 1}, {plan(0, 'e'), plan(2, 'f')});
    plans.insert({0, 3, 0}, {plan(1, 'g')});
    plans.insert({0, 1, 0}, {});

    ASSERT_EQ(plans.size(), 3);
    EXPECT_EQ(std::tuple(plans.cell(0), plans.cell(1), plans.cell(2)),
              std::tuple(CellRef{0, 0, 1}, CellRef{0, 2, 5}, CellRef{0, 3, 0}));
    EXPECT_EQ(textsAt(plans, {0, 0, 1}), u"ef");
    EXPECT_EQ(textsAt(plans, {0, 2, 5}), u"d");
    EXPECT_EQ(textsAt(plans, {0, 3, 0}), u"g");
    EXPECT_TRUE(plans.at({0, 1, 0}).empty());
    EXPECT_TRUE(plans.at({1, 0, 0}).empty());
    EXPECT_EQ(plans.firstNotBefore({0, 2, 0}), 1);
    EXPECT_EQ(plans.firstNotBefore({1, 0, 0}), 3);
}
