#include "Printing.h"

#include "kit/find/AddressFinder.h"
#include "kit/find/PhoneFinder.h"
#include "kit/find/PortableLexicalTagger.h"
#include "kit/find/PortableNameTagger.h"
#include "kit/find/PortableTextServices.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quorvane;

namespace {

QStringList phonesIn(const QString &text)
{
    QStringList found;
    for (const TextRange &range : PhoneFinder(u"US"_s).find(text))
        found.append(range.of(text));
    return found;
}

QStringList namesIn(const QString &text)
{
    PortableNameTagger tagger;
    tagger.setText(text);
    QStringList names;
    for (const NameToken &token : tagger.tokens())
        if (token.personalName)
            names.append(token.range.of(text));
    return names;
}

} // namespace

TEST(PhoneFinder, FindsFictionalNumbersWithUtf16Ranges)
{
    EXPECT_EQ(phonesIn(u"call (212) 555-0142 or 555-0199, not 12-34"_s),
              (QStringList{u"(212) 555-0142"_s, u"555-0199"_s}));
    EXPECT_EQ(phonesIn(u"+44 20 7946 0018 in London"_s), QStringList{u"+44 20 7946 0018"_s});
    // Text before the number takes two and three UTF-8 bytes per UTF-16 unit, and
    // four bytes per two units outside the basic plane.
    EXPECT_EQ(phonesIn(u"Zoë 😀 “Ωmega” 𝒳: 212-555-0142 and 😀 (415) 555-0100"_s),
              (QStringList{u"212-555-0142"_s, u"(415) 555-0100"_s}));
}

TEST(PhoneFinder, LeavesAmountsCodesAndDecimalsAlone)
{
    EXPECT_EQ(phonesIn(u"SKU 4412-8890-12, policy 77-1234567-8, tracking 1Z999AA10123456784, ref 555-0142AB"_s),
              QStringList{});
    EXPECT_EQ(phonesIn(u"Tel:555-0142 x12, 1 (415) 555-0100, 1-212-5550142, +44 1632 960 983, 212 555 0199"_s),
              (QStringList{u"555-0142 x12"_s, u"1 (415) 555-0100"_s, u"1-212-5550142"_s, u"+44 1632 960 983"_s,
                           u"212 555 0199"_s}));
    EXPECT_EQ(phonesIn(u"from here dial 011 44 20 7946 0018"_s), QStringList{u"011 44 20 7946 0018"_s});
    EXPECT_EQ(phonesIn(u"Paid 10125.00, total $1234567.89, € 4500000,00, pi 3.1415926, fee US$ 5550142"_s),
              QStringList{});
    EXPECT_EQ(phonesIn(u"tel. 555.0142. Or 555-0143, 1234567"_s),
              (QStringList{u"555.0142"_s, u"555-0143"_s, u"1234567"_s}));
}

// Numbers in the everyday layouts are answered without the matcher; the
// answer must be the matcher's, for any area code and exchange but one.
TEST(PhoneFinder, KnownLayoutsGiveTheMatchersRanges)
{
    const QString layouts[] = {u"(AAA) EEE-LLLL"_s, u"AAA-EEE-LLLL"_s, u"AAA.EEE.LLLL"_s, u"AAA EEE LLLL"_s,
                               u"AAAEEELLLL"_s,     u"  (AAA) EEE-LLLL "_s, u"+1 AAA EEE LLLL"_s, u"AAA-LLLL"_s,
                               u" AAA-LLLL\t"_s,   u"+1 AAA-EEE-LLLL"_s};
    const auto digits = [](int number, int width) { return QString::number(number).rightJustified(width, u'0'); };
    for (const QString &region : {u"US"_s, u"CA"_s}) {
        const PhoneFinder quick(region), matcher(region, PhoneFinder::Layouts::all);
        for (int area = 0; area < 1000; ++area) {
            if (area == 11)
                continue; // 011 opens a call abroad to the matcher; the ten-digit layouts take it whole
            for (QString text : layouts) {
                text.replace(u"AAA"_s, digits(area, 3))
                    .replace(u"EEE"_s, digits(area * 37 % 1000, 3))
                    .replace(u"LLLL"_s, digits(area * 13 % 10000, 4));
                ASSERT_EQ(quick.find(text), matcher.find(text)) << text.toStdString();
            }
        }
    }
}

// A date column's cells are answered without the matcher, which takes some
// ("13.02.1976") for numbers, also in running text; a date beside a number
// still goes to it.
TEST(PhoneFinder, DatesAloneAreNoNumbers)
{
    const QString layouts[] = {u"{y}-{m}-{d}"_s, u"{y}/{m}/{d}"_s, u"{d}.{m}.{y}"_s, u"{m}/{d}/{y}"_s,
                               u"{d}-{m}-{y}"_s, u"{y}-{m}-{d} 08:30"_s, u"{y}-{m}-{d}T23:59:01Z"_s,
                               u"{m}/{d}/{y} 4:05 PM"_s, u" {y}-{m}-{d} 00:00:00.125 "_s};
    const auto padded = [](int number, bool pad) { return QString::number(number).rightJustified(pad ? 2 : 1, u'0'); };
    for (const QString &region : {u"US"_s, u"GB"_s, u"DE"_s, u"FR"_s, u"IN"_s}) {
        const PhoneFinder finder(region);
        for (int day = 1; day <= 31; day += 3) {
            for (const QString &layout : layouts) {
                QString text = layout;
                text.replace(u"{y}"_s, QString::number(1950 + day * 2))
                    .replace(u"{m}"_s, padded(day % 12 + 1, day % 2 == 1))
                    .replace(u"{d}"_s, padded(day, day % 4 != 0));
                ASSERT_EQ(finder.find(text), QList<TextRange>{}) << qPrintable(region) << " " << text.toStdString();
            }
        }
    }
    const PhoneFinder quick(u"US"_s), matcher(u"US"_s, PhoneFinder::Layouts::all);
    for (const QString &text : {u"2019-04-21 555-0142"_s, u"13.02.19765"_s, u"32.01.1976"_s, u"13.13.1976"_s,
                                u"1976-02-13 555-0142"_s, u"02/13/1976 24:00"_s, u"13.02.1976."_s})
        EXPECT_EQ(quick.find(text), matcher.find(text)) << text.toStdString();
    EXPECT_EQ(phonesIn(u"2019-04-21 555-0142"_s), QStringList{u"555-0142"_s});
    EXPECT_EQ(phonesIn(u"born 13.02.1976, seen 29.11.2023 09:30, call 555-0142"_s), QStringList{u"555-0142"_s});
}

TEST(AddressFinder, FindsStreetCityStateAndZip)
{
    const QString text = u"😀 Ship to 1600 N Pennsylvania Ave NW, Apt 4B, Springfield, IL 62704-1234 today"_s;
    const auto found = AddressFinder().find(text);
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found.first().range.of(text), u"1600 N Pennsylvania Ave NW, Apt 4B, Springfield, IL 62704-1234"_s);
    EXPECT_EQ(found.first().parts, (AddressParts{u"1600 N Pennsylvania Ave NW, Apt 4B"_s, u"Springfield"_s,
                                                 u"IL"_s, u"62704-1234"_s}));

    const auto onlyParts = [](const QString &input) {
        const auto all = AddressFinder().find(input);
        return all.size() == 1 ? std::optional(all.first().parts) : std::nullopt;
    };
    EXPECT_EQ(onlyParts(u"Keys at 221 Baker Street; lunch at 12 Noon."_s), (AddressParts{u"221 Baker Street"_s, {}, {}, {}}));
    EXPECT_EQ(onlyParts(u"42 W 5th St #12\nNew York NY 10011"_s),
              (AddressParts{u"42 W 5th St #12"_s, u"New York"_s, u"NY"_s, u"10011"_s}));
    EXPECT_EQ(onlyParts(u"Mailed to 1364 Route 9, Portland, OR 97201."_s),
              (AddressParts{u"1364 Route 9"_s, u"Portland"_s, u"OR"_s, u"97201"_s}));
    EXPECT_EQ(onlyParts(u"4667 Old Mill Rd #12"_s), (AddressParts{u"4667 Old Mill Rd #12"_s, {}, {}, {}}));
    EXPECT_EQ(onlyParts(u"Depot: 88 COUNTY RD 12A N, Unit 3"_s), (AddressParts{u"88 COUNTY RD 12A N, Unit 3"_s, {}, {}, {}}));

    // Streets of the rest of Europe, without the postcode and town after them.
    for (const QString &street : {u"Hauptstraße 12"_s, u"Berliner Str. 5a"_s, u"Prinsengracht 263"_s,
                                  u"Calle Mayor 98"_s, u"Rue de la Loi 16"_s, u"Via della Spiga 7"_s, u"ul. Długa 4"_s,
                                  u"12 rue de la Paix"_s, u"5 bis avenue d’Italie"_s})
        EXPECT_EQ(onlyParts(u"Lieferung an "_s + street + u", 10115 Berlin"_s), (AddressParts{street, {}, {}, {}}))
            << street.toStdString();
    for (const QString &notAnAddress : {u"Spring 2024 catalogue"_s, u"Via DHL 3 days"_s, u"Key Ring 5, red"_s,
                                        u"page 12 Rue"_s,u"Order 12 Way too late"_s, u"3 main st"_s, u"Invoice 4471 overdue"_s,
                                        u"$12 Court fees"_s, u"Take 2 Route 66s"_s})
        EXPECT_TRUE(AddressFinder().find(notAnAddress).isEmpty()) << notAnAddress.toStdString();
}

TEST(PortableNameTagger, TagsNamesByTheirContext)
{
    EXPECT_EQ(namesIn(u"Spoke with Maria Lopez, then Dr. Okafor."_s), (QStringList{u"Maria Lopez"_s, u"Okafor"_s}));
    EXPECT_EQ(namesIn(u"Thanks Zanele! Mbeki wrote back."_s), (QStringList{u"Zanele"_s, u"Mbeki"_s}));
    EXPECT_EQ(namesIn(u"John J. Smith and J. R. Ewing"_s), (QStringList{u"John J. Smith"_s, u"J. R. Ewing"_s}));
    EXPECT_EQ(namesIn(u"Nadia's laptop, met Maria de la Cruz"_s),
              (QStringList{u"Nadia's"_s, u"Maria de la Cruz"_s}));
    // Greetings and titles lead to names the lists don't know.
    EXPECT_EQ(namesIn(u"Hi Zanele, the parcel is here."_s), QStringList{u"Zanele"_s});
    EXPECT_EQ(namesIn(u"Dear Mr Okonjo-Iweala,"_s), QStringList{u"Okonjo-Iweala"_s});
    for (const QString &plain : {u"Meeting moved to Monday in March."_s, u"Great news from Acme Corp"_s,
                                 u"Shipped to Chicago via FedEx"_s, u"Later that day the Support Team called"_s,
                                 u"CALL BACK ASAP"_s, u"Hi Team, quick Update below."_s})
        EXPECT_TRUE(namesIn(plain).isEmpty()) << plain.toStdString();
}

TEST(PortableLexicalTagger, ClassesWordsAfterADeterminer)
{
    PortableLexicalTagger tagger;
    const auto classOf = [&](const QString &word) {
        tagger.setText(u"the "_s + word);
        return tagger.lexicalClass(4);
    };
    EXPECT_EQ((QList{classOf(u"quick"_s), classOf(u"quickly"_s), classOf(u"shipped"_s), classOf(u"meeting"_s),
                     classOf(u"zanele"_s)}),
              (QList{LexicalClass::adjective, LexicalClass::adverb, LexicalClass::verb, LexicalClass::other,
                     LexicalClass::other}));
    tagger.setText(u"run"_s);
    EXPECT_EQ(tagger.lexicalClass(0), LexicalClass::verb);
    EXPECT_EQ(tagger.lexicalClass(3), LexicalClass::other);
}

TEST(PortableTextServices, DetectsPhonesAndAddressesTogether)
{
    const QString text = u"Visit 12 Oak Lane, Austin, TX 78701 or call 512-555-0123."_s;
    QStringList found;
    for (const DetectedValue &value :
         PortableTextServices(u"US"_s).dataDetector()->matches(text, DetectedType::phone | DetectedType::address))
        found.append((value.type == DetectedType::phone ? u"phone: "_s : u"address: "_s) + value.range.of(text));
    EXPECT_EQ(found, (QStringList{u"address: 12 Oak Lane, Austin, TX 78701"_s, u"phone: 512-555-0123"_s}));
}
