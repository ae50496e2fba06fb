#include "kit/find/TextRules.h"
#include "kit/restore/EmailAddresses.h"

#include "RandomTexts.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quorvane;

namespace {

QList<TextRange> addressesByPattern(const QString &text)
{
    return tests::patternRanges(emailPattern(), text);
}

QList<TextRange> addressesByWalk(const QString &text)
{
    return tests::everyMatch(text, nextEmailAddress, [](const TextRange &address) { return address.end; });
}

} // namespace

// The walk must take exactly the pattern's addresses: hyphens at either end of
// a label, dots in a row, top-level parts of one letter or with digits, two
// at-signs, letters and marks outside ASCII and beyond the first plane, and
// other characters there.
TEST(EmailAddresses, WalkTakesExactlyThePatternsAddresses)
{
    const QString pieces[] = {u"a"_s, u"bc"_s, u"7"_s, u"@"_s, u"@"_s, u"."_s, u"."_s, u"-"_s, u"_"_s, u"+"_s,
                              u"%"_s, u" "_s, u"com"_s, u"é"_s, u"x.y@ex-am.org"_s, u"ó"_s, u"\u0301"_s,
                              u"李"_s, u"𠀋"_s, u"€"_s, u"😀"_s};
    QRandomGenerator random(5);
    for (int round = 0; round < 100000; ++round) {
        const QString text = tests::randomText(random, pieces, 12);
        ASSERT_EQ(addressesByWalk(text), addressesByPattern(text)) << text.toStdString();
    }
}
