#include "kit/files/SheetReader.h"

#include <gtest/gtest.h>

#include <QSet>

using namespace quorvane;
using namespace Qt::StringLiterals;

namespace {

// Every row tag here is a place a split may be tried, including ones that
// no reading would find: in a comment, in CDATA, in an attribute value, in a
// cell's skipped content, without a number, and a second half whose cells
// carry a prefix the first half never saw.
const QByteArray awkwardSheet = R"(<worksheet><sheetData>
<row r="1"><c r="A1" t="s"><v>0</v></c><c t="inlineStr"><is><t>ann &amp; bo</t></is></c></row>
<!-- <row r="40"><c r="A40"><v>gone</v></c></row> -->
<row><c r="C2" t="str"><f>A1</f><v>f&lt;x</v></c><c t="b"><v>1</v></c></row>
<row r="7" note="<row r='8'>"><c r="A7" t="inlineStr"><is><t><row r="9"></t></is></c><c><v>2.5</v></c></row>
<![CDATA[<row r="10"><c r="A10"><v>cdata</v></c></row>]]>
<row r="11"><c r="B11" t="s"><v>3</v></c><c><row r="12"><v>inside</v></c></row>
<x:row r="13"><x:c r="A13" t="inlineStr"><x:is><x:t>prefixed</x:t></x:is></x:c><x:c r="B13" t="s"><x:v>1</x:v></x:c></x:row>
<row><c t="s"><v>2</v></c><c r="D14"><v>4</v></c></row>
<row r="15"><y:c r="A15" t="inlineStr"><y:is><y:t>other prefix</y:t></y:is></y:c><c r="B15" t="str"><v>last</v></c></row>
<row r="16"><c r="A16"/><c r="B16"></c><c r='C16' t='s'><v>5</v></c><c r="D16"t="str" n="a>b/"><v>x</v></c><c/>
<c r = "F16"><v>6</v></c><c r="G16"> <v>7</v></c><c r="H16"><v>8</v ></c><c	r="I16"
t="b"><v>0</v></c><c r="J16" t="s"><v>1</v><x/></c><c r="K16" a="1" b="2" c="3" d="4" e="5" f="6" g="7" h="8"><v>9</v></c>
</sheetData></worksheet>)";

// One line per cell with everything the rest of the reader relies on.
QStringList describe(const XLSXDocument::Sheet &sheet)
{
    QStringList lines;
    for (const XLSXDocument::Cell &cell : sheet.cells) {
        const QString text = cell.source == XLSXDocument::Cell::Source::shared
                                 ? u"#"_s + QString::number(cell.index)
                                 : sheet.texts.value(cell.index, u"(none)"_s);
        lines.append(u"%1,%2 %3 [%4,%5) %6 %7"_s.arg(cell.row).arg(cell.column).arg(int(cell.source))
                         .arg(cell.range.start).arg(cell.range.end)
                         .arg(QString::fromUtf8(sheet.prefixes.value(cell.prefix, "?")), text));
    }
    return lines;
}

XLSXDocument::Sheet sheetOf(const QByteArray &xml)
{
    XLSXDocument::Sheet sheet;
    sheet.xml = xml;
    return sheet;
}

} // namespace

TEST(SheetReader, SplittingAnywhereAndReadingPlainCellsDirectlyGiveTheScannersCells)
{
    XLSXDocument::Sheet whole = sheetOf(awkwardSheet);
    SheetReader::readWithScannerOnly(whole);
    const QStringList expected = describe(whole);
    ASSERT_EQ(expected.size(), 22);
    EXPECT_EQ(expected[1], u"0,1 2 [79,107)  ann & bo"_s);
    EXPECT_EQ(expected[8], u"12,0 2 [537,569) x: prefixed"_s);
    EXPECT_EQ(expected[13], u"14,1 3 [780,784)  last"_s);
    EXPECT_EQ(expected[15], u"15,3 3 [897,898)  x"_s);
    EXPECT_EQ(expected.last(), u"15,10 0 [0,0)  9"_s);

    QSet<qsizetype> splitsThatHeld;
    for (qsizetype from = 0; from <= awkwardSheet.size(); ++from) {
        XLSXDocument::Sheet split = sheetOf(awkwardSheet);
        if (const qsizetype met = SheetReader::readSplittingAfter(split, from); met >= 0)
            splitsThatHeld.insert(met);
        ASSERT_EQ(describe(split), expected) << "split searched from byte " << from;
    }
    // Only the numbered rows that the reading really reaches.
    QSet<qsizetype> numberedRows;
    for (const char *row : {"<row r=\"1\"", "<row r=\"7\"", "<row r=\"11\"", "<x:row", "<row r=\"15\"", "<row r=\"16\""})
        numberedRows.insert(awkwardSheet.indexOf(row));
    EXPECT_EQ(splitsThatHeld, numberedRows);
}
