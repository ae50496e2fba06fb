#include "kit/keys/CodePoints.h"
#include "kit/keys/CaselessWords.h"

#include <QRandomGenerator>
#include <QSet>

#include <gtest/gtest.h>

using namespace quorvane;
using namespace Qt::StringLiterals;

// Against a plain set of lower-cased texts: words of mixed case, beyond ASCII,
// and prefixes of one another, added until the table has grown many times.
TEST(CaselessWords, AgreesWithASetOfLowerCasedWords)
{
    const QString pieces[] = {u"an"_s, u"NA"_s, u"Zi"_s, u"o"_s, u"É"_s, u"é"_s, u"ß"_s, u"İ"_s, u"-"_s, u"'"_s};
    QRandomGenerator random(11);
    const auto randomWord = [&] {
        QString word;
        for (int n = 1 + int(random.bounded(5)); n > 0; --n)
            word += pieces[random.bounded(int(std::size(pieces)))];
        return word;
    };
    CaselessWords words;
    QSet<QString> expected;
    for (int i = 0; i < 20000; ++i) {
        const QString word = randomWord();
        words.add(word);
        expected.insert(lowerCased(word));
    }
    ASSERT_EQ(words.size(), expected.size());
    for (int i = 0; i < 20000; ++i) {
        const QString word = randomWord();
        ASSERT_EQ(words.contains(word), expected.contains(lowerCased(word))) << word.toStdString();
        ASSERT_EQ(words.containsLowered(word), expected.contains(word)) << word.toStdString();
    }
    QSet<QString> listed;
    words.forEach([&](QStringView word) { listed.insert(word.toString()); });
    EXPECT_EQ(listed, expected);
}

TEST(CaselessWords, LowerCaseIsOnlyAssumedWhereAsked)
{
    const CaselessWords words{u"Zion", u"ÉLODIE"};
    const struct
    {
        QStringView word;
        bool contained, containedAsLowered;
    } cases[] = {
        {u"zion", true, true},      {u"ZION", true, false},   {u"élodie", true, true},
        {u"Élodie", true, false},   {u"zio", false, false},   {u"zions", false, false},
        {u"", false, false},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(words.contains(c.word), c.contained) << c.word.toString().toStdString();
        EXPECT_EQ(words.containsLowered(c.word), c.containedAsLowered) << c.word.toString().toStdString();
    }
    EXPECT_FALSE(CaselessWords().contains(u"zion"));
}

TEST(CaselessWords, NumbersTextsInTheOrderAdded)
{
    CaselessWords words;
    EXPECT_EQ(words.add(u"Ann Lee"), 0);
    EXPECT_EQ(words.addLowered(u"élodie"), 1);
    EXPECT_EQ(words.add(u"ANN LEE"), 0);
    EXPECT_EQ(words.add(u"ÉLODIE"), 1);
    EXPECT_EQ(words.addLowered(u"ann lee"), 0);
    EXPECT_EQ(words.indexOf(u"Élodie"), 1);
    EXPECT_EQ(words.indexOf(u"ann"), -1);
    EXPECT_EQ(words.size(), 2);
}

// What is worked out from a set is kept by its stamp, so a stamp must never
// be shared by sets that hold different texts.
TEST(CaselessWords, StampsPartSetsThatMayDiffer)
{
    CaselessWords words{u"ann"};
    const CaselessWords copy = words;
    EXPECT_EQ(copy.stamp(), words.stamp());
    EXPECT_NE(CaselessWords().stamp(), CaselessWords().stamp());
    const uint64_t before = words.stamp();
    words.add(u"ANN");
    EXPECT_EQ(words.stamp(), before) << "nothing was added";
    words.add(u"lee");
    EXPECT_NE(words.stamp(), before);
    const CaselessWords moved = std::move(words);
    EXPECT_NE(words.stamp(), moved.stamp());
    EXPECT_TRUE(words.isEmpty());
}
