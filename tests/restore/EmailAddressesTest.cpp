#include "kit/find/TextRules.h"
#include "kit/restore/EmailAddresses.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quorvane;

namespace {

QList<TextRange> addressesByPattern(const QString &text)
{
    QList<TextRange> addresses;
    for (auto it = emailPattern().globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        addresses.append({match.capturedStart(), match.capturedEnd()});
    }
    return addresses;
}

QList<TextRange> addressesByWalk(const QString &text)
{
    QList<TextRange> addresses;
    for (auto address = nextEmailAddress(text, 0); address; address = nextEmailAddress(text, address->end))
        addresses.append(*address);
    return addresses;
}

} // namespace

// The walk must take exactly the pattern's addresses: hyphens at either end of
// a label, dots in a row, top-level parts of one letter or with digits, two
// at-signs, letters outside ASCII.
TEST(EmailAddresses, WalkTakesExactlyThePatternsAddresses)
{
    const QString pieces[] = {u"a"_s, u"bc"_s, u"7"_s, u"@"_s, u"@"_s, u"."_s, u"."_s, u"-"_s, u"_"_s, u"+"_s,
                              u"%"_s, u" "_s, u"com"_s, u"é"_s, u"x.y@ex-am.org"_s};
    QRandomGenerator random(5);
    for (int round = 0; round < 100000; ++round) {
        QString text;
        const int length = int(random.bounded(1, 12));
        for (int i = 0; i < length; ++i)
            text += pieces[random.bounded(int(std::size(pieces)))];
        ASSERT_EQ(addressesByWalk(text), addressesByPattern(text)) << text.toStdString();
    }
}
