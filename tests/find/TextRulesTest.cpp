#include "kit/find/TextRules.h"

#include <gtest/gtest.h>

using namespace quorvane;
using namespace Qt::StringLiterals;

// A column of names may hold "Lopez, Maria"; a name that is a whole cell of
// free text has no comma, so there a comma means something else.
TEST(TextRules, NameCharactersTakeACommaOnlyWhenAllowed)
{
    struct Case
    {
        QString text;
        bool withoutCommas;
        bool withCommas;
    };
    const QList<Case> cases{
        {u"Mary-Jane O’Neil Jr."_s, true, true},
        {u"Zoë d'Arc"_s, true, true},
        {u"Lopez, Maria"_s, false, true},
        {u"Maria Lopez 3"_s, false, false},
        {u"Ana; Bo"_s, false, false},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(hasOnlyNameCharacters(c.text, Commas::refused), c.withoutCommas) << c.text.toStdString();
        EXPECT_EQ(hasOnlyNameCharacters(c.text, Commas::allowed), c.withCommas) << c.text.toStdString();
    }
}
