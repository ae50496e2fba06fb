#include "Printing.h"
#include "FakeTextServices.h"

#include "kit/find/Detector.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quorvane;

namespace {

// "kind start-end text" per finding, so a wrong kind, range or order shows at once.
QStringList summary(const QList<Finding> &findings)
{
    QStringList lines;
    for (const Finding &f : findings)
        lines.append(u"%1 %2-%3 %4"_s.arg(rawString(f.kind)).arg(f.range.start).arg(f.range.end).arg(f.text));
    return lines;
}

QStringList parts(const QList<NamePart> &nameParts)
{
    QStringList lines;
    for (const NamePart &p : nameParts)
        lines.append(u"%1 %2-%3 %4"_s.arg(p.word).arg(p.range.start).arg(p.range.end).arg(rawString(p.role)));
    return lines;
}

// The one finding a text gives; a failure when it gives another number.
Finding only(const QList<Finding> &findings)
{
    EXPECT_EQ(findings.size(), 1) << summary(findings).join(u"; "_s).toStdString();
    return findings.value(0);
}

// A detector on scripted text services, which the tests may change between calls.
class DetectorTest : public testing::Test
{
protected:
    Detector detector(const QList<ExtraTerm> &terms) const { return Detector(terms, services); }

    std::shared_ptr<FakeTextServices> services = std::make_shared<FakeTextServices>();
    Detector d{{}, services};
};

} // namespace

TEST_F(DetectorTest, ExtraTermsMatchWholeWordsAnyCaseAndWinOverEverything)
{
    Detector d = detector({{u"  Bobby "_s, ValueKind::name}, {u"Flat 3"_s, ValueKind::address}});
    EXPECT_EQ(summary(d.findings(u"bobby met BOBBY, not Bobbys or 2Bobby"_s, ColumnKind::autoDetect)),
              (QStringList{u"name 0-5 bobby"_s, u"name 10-15 BOBBY"_s}));

    EXPECT_EQ(parts(only(d.findings(u"Bobby"_s, ColumnKind::lastName)).nameParts), QStringList{u"Bobby 0-5 last"_s});

    // The term comes first, so the e-mail address that contains it loses.
    EXPECT_EQ(summary(d.findings(u"bobby@example.com"_s, ColumnKind::email)), QStringList{u"name 0-5 bobby"_s});

    EXPECT_EQ(only(d.findings(u"at flat 3."_s, ColumnKind::autoDetect)).address, (AddressParts{u"flat 3"_s, {}, {}, {}}));

    // Pattern characters in a term are literal; skipped columns and blank cells give nothing.
    Detector literal = detector({{u"J.R. (Bob)"_s, ValueKind::name}, {u"a+b"_s, ValueKind::email}});
    EXPECT_EQ(summary(literal.findings(u"ask J.R. (Bob) or JxR. (Bob) about aab, a+b"_s, ColumnKind::autoDetect)),
              (QStringList{u"name 4-14 J.R. (Bob)"_s, u"email 40-43 a+b"_s}));
    EXPECT_TRUE(literal.findings(u"J.R. (Bob) maria@example.com"_s, ColumnKind::skip).isEmpty());
    EXPECT_TRUE(literal.findings(u" \t\n "_s, ColumnKind::autoDetect).isEmpty());
}

TEST_F(DetectorTest, NameColumnsGiveOneNamePerPerson)
{
    EXPECT_EQ(summary(d.findings(u"Maria Lopez & Tom Reyes"_s, ColumnKind::fullName)),
              (QStringList{u"name 0-11 Maria Lopez"_s, u"name 14-23 Tom Reyes"_s}));
    EXPECT_EQ(summary(d.findings(u" \"Ann Lee\", and AND Bo Chu /Al Li;\nEd Wu"_s, ColumnKind::fullName)),
              (QStringList{u"name 2-9 Ann Lee"_s, u"name 20-26 Bo Chu"_s, u"name 28-33 Al Li"_s,
                           u"name 35-40 Ed Wu"_s}));

    EXPECT_EQ(parts(only(d.findings(u"Lopez, Maria"_s, ColumnKind::fullName)).nameParts),
              (QStringList{u"Lopez 0-5 last"_s, u"Maria 7-12 first"_s}));

    EXPECT_EQ(parts(d.findings(u"Cher"_s, ColumnKind::fullName).first().nameParts), QStringList{u"Cher 0-4 first"_s});
    const Finding titled = only(d.findings(u"Dr. J. Smith"_s, ColumnKind::fullName));
    EXPECT_EQ(titled.text, u"Dr. J. Smith"_s);
    EXPECT_EQ(parts(titled.nameParts), QStringList{u"Smith 7-12 first"_s});

    EXPECT_TRUE(d.findings(u"One Two Three Four Five Six Seven"_s, ColumnKind::fullName).isEmpty());
    EXPECT_EQ(d.findings(u"One Two Three Four Five Six"_s, ColumnKind::fullName).size(), 1);

    // The e-mail pass runs first, and the person piece overlapping it is dropped.
    EXPECT_EQ(summary(d.findings(u"Maria Lopez <maria@example.com>"_s, ColumnKind::fullName)),
              QStringList{u"email 13-30 maria@example.com"_s});
}

TEST(Detector, NamePartRolesFollowTheColumn)
{
    EXPECT_EQ(parts(Detector::nameParts(u"Anne-Marie O’Neil"_s, ColumnKind::firstName)),
              (QStringList{u"Anne-Marie 0-10 first"_s, u"O’Neil 11-17 first"_s}));
    EXPECT_EQ(parts(Detector::nameParts(u"Anne-Marie O’Neil"_s, ColumnKind::lastName)),
              (QStringList{u"Anne-Marie 0-10 last"_s, u"O’Neil 11-17 last"_s}));
    EXPECT_EQ(parts(Detector::nameParts(u"Mr Juan de la Cruz Jr"_s, ColumnKind::autoDetect)),
              (QStringList{u"Juan 3-7 first"_s, u"de 8-10 first"_s, u"la 11-13 first"_s, u"Cruz 14-18 last"_s}));
    EXPECT_EQ(parts(Detector::nameParts(u"de la Cruz, Juan Pablo"_s, ColumnKind::fullName)),
              (QStringList{u"de 0-2 last"_s, u"la 3-5 last"_s, u"Cruz 6-10 last"_s, u"Juan 12-16 first"_s,
                           u"Pablo 17-22 first"_s}));
    EXPECT_TRUE(Detector::nameParts(u"Dr. J."_s, ColumnKind::fullName).isEmpty());
}

TEST_F(DetectorTest, PhoneAndAddressColumnsFallBackToTheWholeCell)
{
    services->detected = {{DetectedType::phone, u"555-0100, "_s}, {DetectedType::phone, u"12-34"_s}};
    EXPECT_EQ(summary(d.findings(u" 555 0142 "_s, ColumnKind::phone)), QStringList{u"phone 1-9 555 0142"_s});
    EXPECT_TRUE(d.findings(u"12-34"_s, ColumnKind::phone).isEmpty());
    EXPECT_EQ(summary(d.findings(u"(212) 555-0100, ext"_s, ColumnKind::phone)),
              QStringList{u"phone 6-14 555-0100"_s});
    EXPECT_EQ(summary(d.findings(u"1-800-555-0100-1234-5678"_s, ColumnKind::phone)), QStringList{});

    const Finding flat = only(d.findings(u"  Flat 3\n"_s, ColumnKind::address));
    EXPECT_EQ(flat.range, (TextRange{2, 8}));
    EXPECT_EQ(flat.address, (AddressParts{u"Flat 3"_s, {}, {}, {}}));
    EXPECT_TRUE(d.findings(u"12 34"_s, ColumnKind::address).isEmpty());
}

TEST_F(DetectorTest, FreeTextPassesRunInOrderAndTheFirstFindingWins)
{
    // The detector reports an address that swallows the phone number and the
    // tagger a name inside the e-mail address: the earlier passes keep theirs.
    services->detected = {{DetectedType::address, u"Box 4, tel 555-0142"_s},
                            {DetectedType::phone, u"555-0142"_s}};
    services->names = {u"Tom"_s, u"Rosa"_s, u"Diaz"_s};
    EXPECT_EQ(summary(d.findings(u"Rosa Diaz: Box 4, tel 555-0142 or tom@example.com"_s, ColumnKind::autoDetect)),
              (QStringList{u"name 0-9 Rosa Diaz"_s, u"phone 22-30 555-0142"_s, u"email 34-49 tom@example.com"_s}));
}

TEST_F(DetectorTest, TaggedNamesAreTrimmedAndExtended)
{
    services->names = {u"Thanks"_s, u"Later"_s, u"Maria"_s, u"Lopez"_s};
    const QList<std::pair<QString, QString>> cases{
        {u"Thanks Maria Lopez!"_s, u"name 7-18 Maria Lopez"_s},
        {u"Later Maria Lopez called."_s, u"name 6-17 Maria Lopez"_s},
        {u"Done. Later Maria Lopez called."_s, u"name 12-23 Maria Lopez"_s},
        {u"met with Later Maria Lopez"_s, u"name 9-26 Later Maria Lopez"_s},
    };
    for (const auto &[text, found] : cases)
        EXPECT_EQ(summary(d.findings(text, ColumnKind::autoDetect)), QStringList{found});

    // A tagged word takes in following name words up to three words after its
    // first, only across spaces.
    services->names = {u"Ana"_s};
    EXPECT_EQ(summary(d.findings(u"saw Ana Bea Cruz Diaz Eto"_s, ColumnKind::autoDetect)),
              QStringList{u"name 4-21 Ana Bea Cruz Diaz"_s});
    EXPECT_EQ(summary(d.findings(u"saw Ana, Bea and Ana  Said"_s, ColumnKind::autoDetect)),
              (QStringList{u"name 4-7 Ana"_s, u"name 17-20 Ana"_s}));
}

TEST_F(DetectorTest, RunsLedByKnownFirstNamesAreFoundWithoutTheTagger)
{
    EXPECT_EQ(summary(d.findings(u"spoke w/ Maria Lopez Reyes Diaz today, and Tom"_s, ColumnKind::autoDetect)),
              QStringList{u"name 9-26 Maria Lopez Reyes"_s});
    // A single known first name in a sentence is left to the tagger.
    EXPECT_TRUE(d.findings(u"ask Maria about it"_s, ColumnKind::autoDetect).isEmpty());
    // A run overlapping a tagged name is not recorded again.
    services->names = {u"Lopez"_s};
    EXPECT_EQ(summary(d.findings(u"ask Maria Lopez"_s, ColumnKind::autoDetect)),
              QStringList{u"name 10-15 Lopez"_s});
}

TEST_F(DetectorTest, WholeCellNameOnlyWhenTheTaggerFoundNothing)
{
    // "Best" is a cue word, so no run starts; the cell as a whole is a name.
    const auto whole = d.findings(u" Maria Best\n"_s, ColumnKind::autoDetect);
    EXPECT_EQ(summary(whole), QStringList{u"name 1-11 Maria Best"_s});
    EXPECT_EQ(parts(whole.first().nameParts), (QStringList{u"Maria 0-5 first"_s, u"Best 6-10 last"_s}));
    for (const QString &notWhole : {u"Maria Best!"_s, u"Maria best"_s, u"Zed Best"_s, u"Maria Best Said Today"_s})
        EXPECT_TRUE(d.findings(notWhole, ColumnKind::autoDetect).isEmpty()) << notWhole.toStdString();
    services->names = {u"Lopez"_s};
    EXPECT_EQ(summary(d.findings(u"Maria, Lopez"_s, ColumnKind::autoDetect)), QStringList{u"name 7-12 Lopez"_s});
}

TEST_F(DetectorTest, RangesCountUtf16UnitsAfterAstralCharacters)
{
    services->names = {u"Rosa"_s, u"Diaz"_s};
    services->detected = {{DetectedType::phone, u"555-0142"_s}};
    Detector d = detector({{u"𝒳avier"_s, ValueKind::name}});
    const QString text = u"😀🎉 Rosa Diaz, 𝒳avier rosa@example.com 555-0142"_s;
    EXPECT_EQ(summary(d.findings(text, ColumnKind::autoDetect)),
              (QStringList{u"name 5-14 Rosa Diaz"_s, u"name 16-23 𝒳avier"_s, u"email 24-40 rosa@example.com"_s,
                           u"phone 41-49 555-0142"_s}));
    // The emoji is no whitespace, so it stays in the person's piece.
    const Finding person = only(d.findings(u"😀 Rosa Diaz"_s, ColumnKind::fullName));
    EXPECT_EQ(person.range, (TextRange{0, 12}));
    EXPECT_EQ(parts(person.nameParts), (QStringList{u"Rosa 3-7 first"_s, u"Diaz 8-12 last"_s}));
}

TEST_F(DetectorTest, OccurrencesAndCellNames)
{
    EXPECT_EQ(Detector::occurrences(u" lopez "_s, u"Lopez, LOPEZ and Lopezes; x-lopez"_s),
              (QList<TextRange>{{0, 5}, {7, 12}, {28, 33}}));
    EXPECT_TRUE(Detector::occurrences(u"  "_s, u"anything"_s).isEmpty());

    const QString text = u"Ask Bo Chu or bo chu; mail bo@example.com"_s;
    const QList<Finding> existing = d.findings(text, ColumnKind::autoDetect);
    ASSERT_EQ(summary(existing), QStringList{u"email 27-41 bo@example.com"_s});
    const auto added = d.addingCellNames({u"Bo Chu"_s, u"Chu"_s, u"bo"_s, u"X"_s}, text, existing);
    EXPECT_EQ(summary(added), (QStringList{u"name 4-10 Bo Chu"_s, u"name 14-20 bo chu"_s,
                                           u"email 27-41 bo@example.com"_s}));
}
