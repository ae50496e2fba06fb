#include "kit/find/TextRules.h"
#include "kit/restore/AsciiNameWords.h"

#include "RandomTexts.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace quorvane;
using namespace Qt::StringLiterals;

// The walk must split any ASCII text exactly as the finders do: hyphens and
// apostrophes inside, before and after words, possessives, letters next to
// the characters on either side of A-Z and a-z.
TEST(AsciiNameWords, WalkTakesExactlyTheFindersWords)
{
    const QString pieces[] = {u"Ann"_s, u"o"_s, u"Z"_s, u"-"_s, u"'"_s, u"s"_s, u"S"_s, u" "_s,
                              u"@"_s,   u"["_s, u"`"_s, u"{"_s, u"9"_s, u"."_s, u"'s"_s, u"x-y"_s};
    QRandomGenerator random(3);
    std::vector<TextRange> words;
    for (int round = 0; round < 50000; ++round) {
        const QString text = tests::randomText(random, pieces, 9);
        asciiNameWordRanges(text, words);
        const QList<TextRange> expected = nameWordRanges(text);
        ASSERT_EQ(QList<TextRange>(words.cbegin(), words.cend()), expected) << text.toStdString();
    }
}
