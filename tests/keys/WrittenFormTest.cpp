#include "kit/keys/WrittenForm.h"

#include <gtest/gtest.h>

using namespace quorvane;
using namespace Qt::StringLiterals;

// Stand-ins follow the occurrence; a stand-in stored in one case still has its
// pool spelling for title-case occurrences.
TEST(LetterCase, StandInsAreWrittenInTheCaseOfEachOccurrence)
{
    const QList<std::tuple<QString, QString, QString>> cases{
        {u"alvarado"_s, u"García"_s, u"Alvarado"_s},    {u"ALVARADO"_s, u"garcía"_s, u"alvarado"_s},
        {u"Alvarado"_s, u"GARCÍA"_s, u"ALVARADO"_s},    {u"MCALLISTER"_s, u"Smith"_s, u"McAllister"_s},
        {u"abel-zion"_s, u"Ann-Marie"_s, u"Abel-Zion"_s}, {u"cedarhaven springs"_s, u"Palm Desert"_s, u"Cedarhaven Springs"_s},
        {u"4821 larkspur ave"_s, u"12 Main St."_s, u"4821 Larkspur Ave"_s}, {u"ALVARADO"_s, u"J"_s, u"Alvarado"_s},
        // A capital whose small form is two characters; a small letter capitals keep.
        {u"alvarado"_s, u"İlkay"_s, u"Alvarado"_s},     {u"alvarado"_s, u"İLKAY"_s, u"ALVARADO"_s},
        {u"alvarado"_s, u"STRAßE"_s, u"ALVARADO"_s},
    };
    for (const auto &[standIn, occurrence, written] : cases)
        EXPECT_EQ(standInCasedLike(standIn, occurrence), written) << occurrence.toStdString();
}

TEST(LetterCase, RealValuesTakeTheCaseOfTheStandInTheyReplace)
{
    const QList<std::tuple<QString, QString, QString>> cases{
        {u"García"_s, u"ALVARADO"_s, u"GARCÍA"_s},     {u"García"_s, u"alvarado"_s, u"garcía"_s},
        {u"GARCÍA"_s, u"Alvarado"_s, u"García"_s},     {u"o'brien"_s, u"Okafor"_s, u"O'Brien"_s},
        {u"McDonald"_s, u"Okafor"_s, u"McDonald"_s},   {u"san jose"_s, u"Cedarhaven"_s, u"San Jose"_s},
        {u"mateo's"_s, u"Okafor"_s, u"Mateo's"_s},     {u"李娜"_s, u"Okafor"_s, u"李娜"_s},
        {u"Strauß"_s, u"OKAFOR"_s, u"STRAUß"_s},       {u"Weißgerber-Groß"_s, u"OKAFOR"_s, u"WEIßGERBER-GROß"_s},
    };
    for (const auto &[real, replaced, written] : cases)
        EXPECT_EQ(realCasedLike(real, replaced), written) << real.toStdString();
}

// Candidates take the case of their real value only when its letters are all
// one case; ASCII values are decided by a shorter way than the rest.
TEST(LetterCase, CandidatesMatchTheCaseOfTheirRealValue)
{
    const QList<std::pair<QString, QString>> cases{
        {u"MARIA LOPEZ"_s, u"MATEO OKAFOR"_s}, {u"maria lopez"_s, u"mateo okafor"_s},
        {u"Maria Lopez"_s, u"Mateo Okafor"_s}, {u"M"_s, u"Mateo Okafor"_s},
        {u"J. R."_s, u"MATEO OKAFOR"_s},       {u"4821 ST"_s, u"MATEO OKAFOR"_s},
        {u"12 a"_s, u"Mateo Okafor"_s},        {u""_s, u"Mateo Okafor"_s},
        {u"ÉMILE"_s, u"MATEO OKAFOR"_s},       {u"émile zoé"_s, u"mateo okafor"_s},
        {u"Émile"_s, u"Mateo Okafor"_s},       {u"李娜"_s, u"Mateo Okafor"_s},
    };
    for (const auto &[real, written] : cases)
        EXPECT_EQ(matchingCase(u"Mateo Okafor"_s, real), written) << real.toStdString();
}
