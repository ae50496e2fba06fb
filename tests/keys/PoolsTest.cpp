#include "kit/keys/Pools.h"

#include <gtest/gtest.h>

using namespace quorvane;

// Pools are indexed by digest modulo size: a size change silently moves every
// stand-in a key would give, so the sizes and a few anchors are pinned here.
TEST(Pools, SizesAndAnchorsArePinned)
{
    EXPECT_EQ(pools::firstNames().size(), 266);
    EXPECT_EQ(pools::lastNames().size(), 240);
    EXPECT_EQ(pools::streetNames().size(), 63);
    EXPECT_EQ(pools::streetTypes().size(), 12);
    EXPECT_EQ(pools::cityStarts().size(), 30);
    EXPECT_EQ(pools::cityEnds().size(), 16);
    EXPECT_EQ(pools::cityExtras().size(), 5);
    EXPECT_EQ(pools::areaCodes().size(), 118);
    EXPECT_EQ(pools::emailDomains().size(), 3);
    EXPECT_EQ(pools::commonFirstNames().size(), 227);

    EXPECT_EQ(pools::firstNames().first(), u"Aaliyah");
    EXPECT_EQ(pools::firstNames().last(), u"Calla");
    EXPECT_EQ(pools::lastNames().last(), u"Rourke");
    EXPECT_EQ(pools::streetNames().last(), u"Willowbend");
    EXPECT_EQ(pools::areaCodes().last(), u"920");
    EXPECT_EQ(pools::streetTypes().at(9).shortForm, u"Way");
    EXPECT_EQ(pools::emailDomains().at(1), u"example.net");
}
