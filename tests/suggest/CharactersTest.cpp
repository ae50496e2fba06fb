#include "kit/suggest/Characters.h"

#include <gtest/gtest.h>

using namespace quorvane;
using namespace Qt::StringLiterals;

// A letter written as a surrogate pair is one letter, not two halves that
// are none: names in the rarer CJK ideographs count like any other.
TEST(Characters, LettersAreCountedByCodePoint)
{
    const QList<std::pair<QString, qsizetype>> cases{
        {u"Ana"_s, 3}, {u"J."_s, 1}, {u"O’Neil"_s, 5}, {u"𠀋𠀌"_s, 2}, {u"42"_s, 0}, {QString(), 0}};
    for (const auto &[word, letters] : cases)
        EXPECT_EQ(letterCount(word), letters) << word.toStdString();
}
