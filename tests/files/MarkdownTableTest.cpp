#include "kit/files/MarkdownTable.h"

#include <gtest/gtest.h>

using namespace quorvane;
using namespace Qt::StringLiterals;

TEST(MarkdownTable, WidthHeaderAndEscaping)
{
    const QList<QStringList> cells = {
        {u"Name"_s, u"Note"_s, u"City"_s},
        {u"  "_s, u"\n"_s},
        {u"a|b\r\nx"_s, u" \\| "_s, u""_s, u""_s, u"far"_s, u" "_s},
    };
    const MarkdownTable::Result withHeader = MarkdownTable::make(cells, true, MarkdownTable::Rows::all());
    EXPECT_EQ(withHeader.text, u"| Name | Note | City |  |  |\n"
                               u"| --- | --- | --- | --- | --- |\n"
                               u"| a\\|b<br>x | \\\\\\| |  |  | far |\n"_s);
    EXPECT_EQ(withHeader.rows, 1);
    EXPECT_EQ(withHeader.columns, 5);

    const MarkdownTable::Result letters =
        MarkdownTable::make({{u"x"_s, u"y"_s}, {u"1"_s, u"2"_s}}, false, MarkdownTable::Rows::all());
    EXPECT_EQ(letters.text, u"| A | B |\n| --- | --- |\n| x | y |\n| 1 | 2 |\n"_s);
    EXPECT_EQ(letters.rows, 2);

    QStringList wide(53);
    wide[52] = u"z"_s;
    const QString header = MarkdownTable::make({wide}, false, MarkdownTable::Rows::first(0)).text.section(u'\n', 0, 0);
    EXPECT_TRUE(header.contains(u"| Z | AA |"_s));
    EXPECT_TRUE(header.contains(u"| AZ | BA |"_s));

    EXPECT_EQ(MarkdownTable::make({{u" "_s}}, true, MarkdownTable::Rows::all()).text, QString());
}

TEST(MarkdownTable, SelectsDataRows)
{
    QList<QStringList> cells{{u"head"_s}};
    for (int i = 1; i <= 5; ++i)
        cells.append({QString::number(i)});
    const auto selected = [&](const MarkdownTable::Rows &rows) {
        const MarkdownTable::Result result = MarkdownTable::make(cells, true, rows);
        QStringList lines = result.text.split(u'\n', Qt::SkipEmptyParts).mid(2);
        EXPECT_EQ(result.rows, lines.size());
        return lines.join(u',');
    };
    EXPECT_EQ(selected(MarkdownTable::Rows::first(-3)), u"");
    EXPECT_EQ(selected(MarkdownTable::Rows::range(4, 9)), u"| 4 |,| 5 |");
    EXPECT_EQ(selected(MarkdownTable::Rows::range(5, 3)), u"");
}
