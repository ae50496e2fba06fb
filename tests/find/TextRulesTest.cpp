#include "Printing.h"

#include "kit/find/TextRules.h"

#include <QRandomGenerator>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quorvane;

namespace {

QList<Word> wordsByPattern(const QString &text)
{
    QList<Word> words;
    for (auto it = nameWordPattern().globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        words.append({{match.capturedStart(), match.capturedEnd()}, match.captured()});
    }
    return words;
}

} // namespace

// nameWords walks the text by hand; it must take exactly the pattern's words,
// whatever mix of letters, marks, hyphens, apostrophes and possessives.
TEST(NameWords, TakeExactlyThePatternsWords)
{
    const QString pieces[] = {u"a"_s, u"B"_s, u"s"_s, u"S"_s, u"é"_s, u"\u0301"_s, u"\u093E"_s, u"क"_s, u"-"_s,
                              u"'"_s, u"’"_s, u" "_s, u"7"_s, u"."_s, u"ß"_s, u"\u02BC"_s, u"😀"_s};
    QRandomGenerator random(13);
    for (int round = 0; round < 20000; ++round) {
        QString text;
        const int length = int(random.bounded(1, 12));
        for (int i = 0; i < length; ++i)
            text += pieces[random.bounded(int(std::size(pieces)))];
        ASSERT_EQ(nameWords(text), wordsByPattern(text)) << text.toStdString();
    }
}

// The walk asks Qt whether a character is a letter or a mark, the pattern asks
// its own tables: the two must agree on the whole basic plane.
TEST(NameWords, LettersAndMarksAgreeWithThePattern)
{
    const QRegularExpression letter(u"^\\p{L}$"_s), mark(u"^\\p{M}$"_s);
    for (char16_t unit = 1; unit < 0xFFFF; ++unit) {
        const QChar c(unit);
        if (c.isSurrogate())
            continue;
        const QString text(c);
        ASSERT_EQ(c.isLetter(), letter.match(text).hasMatch()) << int(unit);
        ASSERT_EQ(c.isMark(), mark.match(text).hasMatch()) << int(unit);
    }
}

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
