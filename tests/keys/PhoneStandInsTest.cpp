#include "kit/keys/PhoneStandIns.h"

#include "tests/restore/RandomTexts.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quorvane;

namespace {

QList<PhoneStandInMatch> matchesByPattern(const QString &text)
{
    QList<PhoneStandInMatch> matches;
    for (auto it = phoneStandInPattern().globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        const qsizetype extension = match.capturedLength(1) > 0 ? match.capturedStart(1) : -1;
        matches.append({{match.capturedStart(), match.capturedEnd()}, extension});
    }
    return matches;
}

QList<PhoneStandInMatch> matchesByWalk(const QString &text)
{
    return tests::everyMatch(text, nextAsciiPhoneStandIn,
                             [](const PhoneStandInMatch &match) { return match.range.end; });
}

} // namespace

// The walk must take exactly the pattern's numbers and extensions on any ASCII
// text: country codes, area codes in brackets or not, every separator, digits
// glued on either side.
TEST(PhoneStandIns, WalkTakesExactlyThePatternsNumbers)
{
    const QString pieces[] = {u"+"_s, u"1"_s, u"555"_s, u"01"_s, u"42"_s, u"0142"_s, u"(212)"_s, u"212"_s,
                              u" "_s, u"."_s, u"-"_s, u"\t"_s, u"x"_s, u"x1234"_s, u"7"_s, u"("_s, u"555-0142"_s, u" x1234"_s};
    QRandomGenerator random(11);
    for (int round = 0; round < 100000; ++round) {
        const QString text = tests::randomText(random, pieces, 10);
        ASSERT_EQ(matchesByWalk(text), matchesByPattern(text)) << text.toStdString();
    }
}
