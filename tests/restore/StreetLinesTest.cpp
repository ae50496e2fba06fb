#include "kit/restore/StreetLines.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quorvane;

namespace {

QList<TextRange> linesByPattern(const QString &text)
{
    QList<TextRange> lines;
    for (auto it = streetLinePattern().globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        lines.append({match.capturedStart(), match.capturedEnd()});
    }
    return lines;
}

QList<TextRange> linesByWalk(const QString &text)
{
    QList<TextRange> lines;
    for (auto line = nextAsciiStreetLine(text, 0); line; line = nextAsciiStreetLine(text, line->end))
        lines.append(*line);
    return lines;
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
        QString text;
        const int length = int(random.bounded(1, 9));
        for (int i = 0; i < length; ++i)
            text += pieces[random.bounded(int(std::size(pieces)))];
        ASSERT_EQ(linesByWalk(text), linesByPattern(text)) << text.toStdString();
    }
}
