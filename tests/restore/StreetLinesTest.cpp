#include "kit/restore/StreetLines.h"

#include "RandomTexts.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quorvane;

namespace {

QList<TextRange> linesByPattern(const QString &text)
{
    return tests::patternRanges(streetLinePattern(), text);
}

QList<TextRange> linesByWalk(const QString &text)
{
    return tests::everyMatch(text, nextAsciiStreetLine, [](const TextRange &line) { return line.end; });
}

} // namespace

// The walk must take exactly the pattern's lines on any ASCII text: house
// numbers of every length, glued to words, full stops before letters and digits.
TEST(StreetLines, WalkTakesExactlyThePatternsLines)
{
    const QString pieces[] = {u"12"_s, u"345"_s, u"6"_s, u" "_s, u" "_s, u"Oak"_s, u"st"_s, u"B"_s,
                              u"."_s, u"-"_s, u"78 Elm Rd"_s, u"90 Ash "_s};
    QRandomGenerator random(7);
    for (int round = 0; round < 50000; ++round) {
        const QString text = tests::randomText(random, pieces, 9);
        ASSERT_EQ(linesByWalk(text), linesByPattern(text)) << text.toStdString();
    }
}
