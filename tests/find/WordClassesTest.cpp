#include "kit/find/WordClasses.h"
#include "kit/find/WordSet.h"

#include <QSet>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quorvane;

// Inflected forms are looked up as their base, doubled consonants and
// replaced endings included; a form whose base lacks the class the ending
// gives is unknown.
TEST(WordClasses, InflectedFormsTakeTheirBasesClasses)
{
    const struct
    {
        QString word;
        QByteArray classes;
    } cases[] = {
        {u"ship"_s, "vn"},      {u"shipped"_s, "v"},   {u"jogged"_s, "v"},   {u"meetings"_s, "n"},
        {u"classes"_s, "nv"},   {u"ladies"_s, "n"},    {u"happier"_s, "a"},   {u"quickly"_s, "r"},
        {u"buses"_s, "nv"},     {u"paris"_s, "p"},     {u"ladyly"_s, ""},     {u"zqxwv"_s, ""},
        {u"shi"_s, ""},         {u"Ship"_s, ""},       {u"caf\u00e9s"_s, ""}, {QString(), ""},
    };
    for (const auto &one : cases)
        EXPECT_EQ(WordClasses::shared().classesOf(one.word), one.classes) << one.word.toStdString();
    EXPECT_TRUE(WordClasses::shared().isEverydayWord(u"dresses"_s));
    EXPECT_TRUE(WordClasses::shared().isProperNoun(u"paris"_s));
    EXPECT_FALSE(WordClasses::shared().isEverydayWord(u"paris"_s));
}

TEST(WordSet, HoldsEachWordOnceThroughGrowth)
{
    QSet<QString> words;
    for (int i = 0; i < 1000; ++i)
        words.insert(u"w%1"_s.arg(i * 7));
    WordSet set(words);
    set.insert(u"w0"_s);
    EXPECT_EQ(set.size(), 1000);
    EXPECT_TRUE(set.contains(u"w6993"_s));
    EXPECT_FALSE(set.contains(u"w6994"_s));
    EXPECT_FALSE(set.contains(u"w"_s));
    EXPECT_FALSE(set.contains(QString()));
    EXPECT_FALSE(WordSet().contains(u"w0"_s));
    QSet<QString> visited;
    set.forEach([&](QStringView word) { visited.insert(word.toString()); });
    EXPECT_EQ(visited, words);
}
