#include "kit/keys/TextIndex.h"

#include <gtest/gtest.h>

using namespace quorvane;
using namespace Qt::StringLiterals;

// Enough keys to grow the table several times from empty, then from a reserve.
TEST(TextIndex, FindsEveryKeyAcrossGrowthAndNothingElse)
{
    // Positions equal to the texts' own numbers until the last one, and not at all.
    for (const auto &[reserved, step] : {std::pair<qsizetype, qsizetype>{0, 1}, {5000, 1}, {0, 3}, {5000, 3}}) {
        TextIndex index;
        index.reserve(reserved);
        for (qsizetype i = 0; i < 5000; ++i)
            index.insert(u"word|w%1"_s.arg(i), i * step);
        index.insert(u"word|w0"_s, 7);
        ASSERT_EQ(index.size(), 5000);
        EXPECT_EQ(index.find(u"word|w0"), 7);
        for (qsizetype i = 1; i < 5000; ++i)
            ASSERT_EQ(index.find(u"word|w%1"_s.arg(i)), i * step) << i;
        EXPECT_EQ(index.find(u"word|w5000"), -1);
        EXPECT_EQ(index.find(u"word|W1"), -1);
        EXPECT_EQ(index.find(u"word|w1 "), -1);
        EXPECT_EQ(index.find(u""), -1);
    }
}

TEST(TextIndex, EmptyAndRepeatedKeys)
{
    TextIndex index;
    EXPECT_EQ(index.find(u"word|mateo"), -1);
    index.insert(u"word|mateo"_s, 1);
    index.insert(u"word|mateo"_s, 7);
    EXPECT_EQ(index.size(), 1);
    EXPECT_EQ(index.find(u"word|mateo"), 7);
    EXPECT_EQ(index.insertNew(u"word|mateo"_s, 9), 7);
    EXPECT_EQ(index.insertNew(u"word|wren"_s, 9), -1);
    EXPECT_EQ(index.find(u"word|mateo"), 7);
    EXPECT_EQ(index.find(u"word|wren"), 9);
    // A copy changes on its own.
    TextIndex copy = index;
    copy.insert(u"zip|02139"_s, 2);
    EXPECT_TRUE(copy.contains(u"zip|02139"));
    EXPECT_FALSE(index.contains(u"zip|02139"));
}

// Numbers and lengths past 16 bits: each text's record keeps them in two halves.
TEST(TextIndex, HoldsMoreThan65536TextsAndTextsLongerThanThat)
{
    TextIndex index;
    const QString longText(70000, u'x');
    const QString longer = longText + u'y';
    index.insert(longText, 3);
    for (qsizetype i = 1; i < 70000; ++i)
        index.insert(u"phone|%1"_s.arg(i), i);
    index.insert(u"phone|69999"_s, 5);
    index.insert(longer, 70000);
    EXPECT_EQ(index.size(), 70001);
    EXPECT_EQ(index.find(longText), 3);
    EXPECT_EQ(index.find(longer), 70000);
    EXPECT_EQ(index.find(QStringView(longText).first(69999)), -1);
    EXPECT_EQ(index.find(u"phone|69999"), 5);
    for (qsizetype i = 1; i < 69999; ++i)
        ASSERT_EQ(index.find(u"phone|%1"_s.arg(i)), i) << i;
}

// Texts kept a byte a character beside texts that need UTF-16, at the
// lengths where a record's length moves out of its tag byte, across growth.
TEST(TextIndex, KeepsLatinAndWiderTextsApart)
{
    const QStringList texts{u"word|garcía"_s, u"word|garcia"_s, u"word|王芳"_s,   u"word|\u00FF"_s,
                            u"word|\u0100"_s, u"word|😀"_s,     QString(126, u'é'), QString(127, u'é'),
                            QString(126, u'王'), QString(127, u'王'), QString(128, u'e'), u""_s};
    TextIndex index;
    for (qsizetype i = 0; i < texts.size(); ++i)
        index.insert(texts.at(i), i);
    for (qsizetype i = 0; i < 3000; ++i)
        index.insert(u"city|ß%1"_s.arg(i), texts.size() + i);
    for (qsizetype i = 0; i < texts.size(); ++i)
        EXPECT_EQ(index.find(texts.at(i)), i) << i;
    EXPECT_EQ(index.find(u"word|garcíа"), -1); // a Cyrillic а at the end
    EXPECT_EQ(index.find(u"word|王"), -1);
    EXPECT_EQ(index.find(QString(125, u'é')), -1);
    EXPECT_EQ(index.find(u"city|ß2999"), texts.size() + 2999);
}

// A set sharing the records of two other indexes, beside texts of its own,
// across the growth of all three, then copied with them.
TEST(TextIndex, HoldsTextsLentByOtherIndexes)
{
    TextIndex reals, standIns, taken;
    const TextIndex::Lenders lenders{&reals, &standIns};
    for (qsizetype i = 0; i < 3000; ++i) {
        const QString real = u"email|r%1@example.com"_s.arg(i), standIn = u"email|s%1"_s.arg(i), own = u"word|ö%1"_s.arg(i);
        reals.insert(real, i);
        standIns.insert(standIn, i);
        ASSERT_EQ(taken.insertLent(real, TextIndex::hashOf(real), taken.size(), 0, lenders), -1);
        ASSERT_EQ(taken.insertLent(standIn, TextIndex::hashOf(standIn), taken.size(), 1, lenders), -1);
        ASSERT_EQ(taken.insertNew(own, TextIndex::hashOf(own), taken.size(), lenders), -1);
        ASSERT_GE(taken.insertLent(real, TextIndex::hashOf(real), taken.size(), 1, lenders), 0);
    }
    EXPECT_EQ(taken.size(), 9000);
    const auto held = [&](const TextIndex &set, const TextIndex::Lenders &from, const QString &text) {
        return set.find(text, TextIndex::hashOf(text), from) >= 0;
    };
    const TextIndex realsCopy = reals, standInsCopy = standIns, takenCopy = taken;
    for (qsizetype i = 0; i < 3000; i += 7) {
        for (const QString &text : {u"email|r%1@example.com"_s.arg(i), u"email|s%1"_s.arg(i), u"word|ö%1"_s.arg(i)}) {
            ASSERT_TRUE(held(taken, lenders, text)) << text.toStdString();
            ASSERT_TRUE(held(takenCopy, {&realsCopy, &standInsCopy}, text)) << text.toStdString();
        }
    }
    EXPECT_FALSE(held(taken, lenders, u"email|s3000"_s));
    EXPECT_FALSE(held(taken, lenders, u"email|r1@example.co"_s));
}
