#include "Printing.h"

#include "kit/find/ColumnGuess.h"
#include "kit/find/Detector.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quorvane;

TEST(ColumnGuess, HeadersDecideInRuleOrder)
{
    const QList<std::pair<QString, std::optional<ColumnKind>>> cases{
        {u"E-mail"_s, ColumnKind::email},        {u"workEmail2"_s, ColumnKind::email},
        {u"Cell #"_s, ColumnKind::phone},        {u"MailingAddress"_s, ColumnKind::address},
        {u"Street"_s, ColumnKind::address},      {u"City"_s, ColumnKind::skip},
        {u"Zip"_s, ColumnKind::skip},             {u"Customer ID"_s, std::nullopt},
        {u"Last"_s, ColumnKind::lastName},        {u"Family name"_s, ColumnKind::lastName},
        {u"Surname"_s, ColumnKind::lastName},     {u"last-name"_s, ColumnKind::lastName},
        {u"Given name"_s, ColumnKind::firstName}, {u"first_name"_s, ColumnKind::firstName},
        {u"FirstName"_s, ColumnKind::firstName},  {u"First"_s, ColumnKind::firstName},
        {u"LastName"_s, ColumnKind::lastName},    {u"Name"_s, ColumnKind::fullName},
        {u"Customer"_s, ColumnKind::fullName},    {u"Contact name"_s, ColumnKind::fullName},
        {u"Account manager"_s, std::nullopt},     {u"Last visit"_s, std::nullopt},
        {u""_s, std::nullopt},                    {u"Notes"_s, std::nullopt},
        {u"Postal code"_s, ColumnKind::skip},     {u"post_code"_s, ColumnKind::skip},
        {u"Adresse"_s, ColumnKind::address},      {u"Dirección"_s, ColumnKind::address},
        {u"Teléfono móvil"_s, ColumnKind::phone},
    };
    for (const auto &[header, kind] : cases)
        EXPECT_EQ(guessFromHeader(header), kind) << header.toStdString();
    EXPECT_TRUE(isNonPersonHeader(u"Vendor name"_s));
    EXPECT_TRUE(isNonPersonHeader(u"ship_to_city"_s));
    EXPECT_FALSE(isNonPersonHeader(u"Cities"_s));
}

TEST(ColumnGuess, ContentsDecideBySharesOfTheSample)
{
    Detector detector;
    const auto column = [](int matching, const QString &match, int others, const QString &other) {
        return QStringList{u"  "_s, u""_s} + QStringList(matching, match) + QStringList(others, other);
    };
    EXPECT_EQ(guessFromContents(column(6, u" ana@example.com "_s, 4, u"n/a"_s), detector), ColumnKind::email);
    EXPECT_EQ(guessFromContents(column(5, u"ana@example.com"_s, 5, u"n/a"_s), detector), ColumnKind::autoDetect);
    EXPECT_EQ(guessFromContents(column(6, u"ana@example.com;bo@example.com"_s, 4, u"x"_s), detector),
              ColumnKind::autoDetect);
    EXPECT_EQ(guessFromContents(column(6, u"(212) 555-0142"_s, 4, u"x"_s), detector), ColumnKind::phone);
    // ZIP+4 codes look like phone numbers to a lenient phone matcher.
    EXPECT_EQ(guessFromContents(column(6, u"11325-7477"_s, 4, u"02139"_s), detector), ColumnKind::skip);
    EXPECT_EQ(guessFromContents(column(6, u"K1A 0B1"_s, 4, u"SW1A 1AA"_s), detector), ColumnKind::skip);
    EXPECT_EQ(guessFromContents(column(6, u"call 212-555-0142 today"_s, 4, u"x"_s), detector), ColumnKind::autoDetect);
    EXPECT_EQ(guessFromContents(column(5, u"Maria Lopez"_s, 5, u"paid"_s), detector), ColumnKind::fullName);
    EXPECT_EQ(guessFromContents(column(5, u"Lopez, Maria"_s, 5, u"paid"_s), detector), ColumnKind::fullName);
    EXPECT_EQ(guessFromContents(column(4, u"Maria Lopez"_s, 6, u"paid"_s), detector), ColumnKind::autoDetect);
    EXPECT_EQ(guessFromContents(column(5, u"Zed Lopez"_s, 5, u"paid"_s), detector), ColumnKind::autoDetect);
    EXPECT_EQ(guessFromContents(column(5, u"Maria lopez"_s, 5, u"paid"_s), detector), ColumnKind::autoDetect);
    EXPECT_EQ(guessFromContents(column(5, u"Maria Lopez (VIP)"_s, 5, u"paid"_s), detector), ColumnKind::autoDetect);
    EXPECT_EQ(guessFromContents({u"ana@example.com"_s, u" "_s}, detector), ColumnKind::autoDetect);
    // Only the first 60 non-blank cells count.
    EXPECT_EQ(guessFromContents(column(60, u"ana@example.com"_s, 100, u"x"_s), detector), ColumnKind::email);
}
