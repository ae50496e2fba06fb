#include "kit/files/DateFormat.h"

#include <gtest/gtest.h>

using namespace quorvane;
using namespace Qt::StringLiterals;

namespace {

std::optional<QString> shown(const std::optional<DateFormat> &format, double serial, bool from1904 = false)
{
    return format ? format->display(serial, from1904) : std::nullopt;
}

} // namespace

TEST(DateFormat, DatesAndTimesShowAsTheirFormatShowsThem)
{
    const struct
    {
        QString code;
        double serial;
        QString expected;
    } cases[] = {
        {u"yyyy\\-mm\\-dd"_s, 45379, u"2024-03-28"_s},
        {u"d/m/yy"_s, 45379, u"28/3/24"_s},
        {u"dddd, mmmm d, yyyy"_s, 45379, u"Thursday, March 28, 2024"_s},
        {u"[$-409]d-mmm-yyyy;@"_s, 45379, u"28-Mar-2024"_s},
        {u"dd.mm.yyyy hh:mm:ss"_s, 45379.75, u"28.03.2024 18:00:00"_s},
        {u"h:mm AM/PM"_s, 0.5625, u"1:30 PM"_s},
        {u"h \"o'clock\""_s, 0.25, u"6 o'clock"_s},
        {u"[h]:mm"_s, 1.5, u"36:00"_s},
        {u"mm:ss.0"_s, 0.000706, u"01:01.0"_s},
        {u"yyyy-mm-dd"_s, 59, u"1900-02-28"_s},
        {u"yyyy-mm-dd"_s, 61, u"1900-03-01"_s},
    };
    for (const auto &c : cases)
        EXPECT_EQ(shown(DateFormat::fromCode(c.code), c.serial), c.expected) << c.code.toStdString();

    EXPECT_EQ(shown(DateFormat::builtIn(14), 45379), u"2024-03-28"_s);
    EXPECT_EQ(shown(DateFormat::builtIn(14), 43917, true), u"2024-03-28"_s);
    EXPECT_EQ(shown(DateFormat::builtIn(22), 45379.5), u"2024-03-28 12:00"_s);
    EXPECT_EQ(shown(DateFormat::builtIn(14), -1), std::nullopt);
    EXPECT_EQ(shown(DateFormat::builtIn(14), 3e6), std::nullopt);
}

TEST(DateFormat, NumberAndTextFormatsAreNoDates)
{
    for (const QString &code : {u"General"_s, u"0.00"_s, u"#,##0"_s, u"@"_s, u"0%"_s, u"\"Total\" 0"_s, u"[Red]0"_s})
        EXPECT_FALSE(DateFormat::fromCode(code).has_value()) << code.toStdString();
    for (int id : {0, 1, 2, 10, 11, 49})
        EXPECT_FALSE(DateFormat::builtIn(id).has_value()) << id;
}
