#include "kit/restore/StandInTable.h"

#include <gtest/gtest.h>

using namespace quorvane;
using namespace Qt::StringLiterals;

namespace {

std::optional<QString> realOfWord(const StandInTable &table, const QString &standIn)
{
    return table.realOfSubstitute(standIn, EntryKind::firstName);
}

} // namespace

// The filter in front of the table may only ever turn away texts it does not hold.
TEST(StandInTable, FindsEveryStandInOfALargeKeyAndNothingElse)
{
    QList<ProjectKey::Entry> entries;
    for (int i = 0; i < 50'000; ++i)
        entries.append({EntryKind::lastName, u"Real%1"_s.arg(i), u"Stand%1"_s.arg(i)});
    const StandInTable table(entries);
    int wrong = 0;
    for (int i = 0; i < 50'000; ++i) {
        wrong += realOfWord(table, u"stand%1"_s.arg(i)) != u"Real%1"_s.arg(i);
        wrong += realOfWord(table, u"Other%1"_s.arg(i)).has_value();
    }
    EXPECT_EQ(wrong, 0);
}

TEST(StandInTable, LaterEntryOfOneStandInWinsAndKeysOfEveryKindAndScriptAreFound)
{
    const StandInTable table({
        {EntryKind::firstName, u"Maria"_s, u"Mateo"_s},
        {EntryKind::city, u"Łódź"_s, u"Mateo"_s},
        {EntryKind::city, u"北京"_s, u"Øksendal"_s},
        {EntryKind::city, u"Kraków"_s, u"Łęczyca"_s},
        {EntryKind::phone, u"867-5310"_s, u"4815550137x2261"_s},
        {EntryKind::zip, u""_s, u"31415"_s},
    });
    EXPECT_EQ(realOfWord(table, u"MATEO"_s), u"Łódź"_s);
    EXPECT_EQ(realOfWord(table, u"øksendal"_s), u"北京"_s);
    EXPECT_EQ(realOfWord(table, u"ŁĘCZYCA"_s), u"Kraków"_s);
    EXPECT_FALSE(realOfWord(table, u"Łęczyc"_s));
    EXPECT_EQ(table.realOfSubstitute(u"+1 481 555 0137 x2261"_s, EntryKind::phone), u"867-5310"_s);
    EXPECT_EQ(table.realOfSubstitute(u"31415"_s, EntryKind::zip), u""_s);
    EXPECT_FALSE(table.realOfSubstitute(u"4815550137"_s, EntryKind::phone));
    EXPECT_TRUE(StandInTable(QList<ProjectKey::Entry>()).isEmpty());
}
