#include "TestFiles.h"
#include "ZipBuilder.h"
#include "kit/files/Spreadsheet.h"
#include "kit/files/XLSXDocument.h"

#include <gtest/gtest.h>


using namespace quorvane;
using namespace quorvane::test;
using namespace Qt::StringLiterals;

namespace {

const QByteArray oneSheetWorkbook = R"(<?xml version="1.0"?>
<workbook xmlns:r="urn:r"><sheets><sheet name="One" sheetId="1" r:id="rId1"/></sheets></workbook>)";
const QByteArray oneSheetRelationships = R"(<Relationships>
<Relationship Id="rId1" Target="worksheets/sheet1.xml"/><Relationship Id="rId9" Target="sharedStrings.xml"/>
</Relationships>)";

QByteArray sharedStrings(const QList<QByteArray> &texts)
{
    QByteArray xml = "<sst count=\"9\" uniqueCount=\"9\">";
    for (const QByteArray &text : texts)
        xml += "<si><t>" + text + "</t></si>";
    return xml + "</sst>";
}

QByteArray sheetData(const QByteArray &rows)
{
    return "<worksheet><sheetData>" + rows + "</sheetData></worksheet>";
}

// A one-sheet workbook with the given sheet data and shared strings.
QByteArray workbook(const QByteArray &sheet, const QByteArray &shared = {})
{
    ZipBuilder zip;
    zip.add("xl/workbook.xml", oneSheetWorkbook).add("xl/_rels/workbook.xml.rels", oneSheetRelationships);
    zip.add("xl/worksheets/sheet1.xml", sheet);
    if (!shared.isEmpty())
        zip.add("xl/sharedStrings.xml", shared);
    return zip.build();
}

using Changes = QHash<QString, QString>; // "A1" -> new text

Spreadsheet::Transform changing(const Changes &changes)
{
    return [changes](const std::optional<CellRef> &cell, const QString &) -> std::optional<QString> {
        if (!cell)
            return std::nullopt;
        const auto found = changes.constFind(cell->displayName());
        return found == changes.cend() ? std::nullopt : std::optional(*found);
    };
}

QString text(const Grid &grid, int row, int column)
{
    return row < grid.size() && column < grid[row].size() ? grid[row][column].text : QString();
}

QByteArray part(const QByteArray &archive, const QString &path)
{
    const ZipArchive zip(archive);
    return zip.data(*zip.entry(path));
}

QString openFailure(const QByteArray &bytes)
{
    return failureOf([&] { XLSXDocument document(bytes); });
}

} // namespace

TEST(XLSXDocument, ReadsAnOfficeSuitesWorkbook)
{
    const Spreadsheet book(fixture(u"people.xlsx"_s), u"people.xlsx"_s);
    EXPECT_EQ(book.kind(), FileKind::xlsx);
    EXPECT_EQ(book.sheetNames(), (QStringList{u"People"_s, u"Notes & Places"_s, u"Empty"_s}));
    const Grid people = book.grid(0);
    ASSERT_EQ(people.size(), 4);
    EXPECT_EQ(people[2][0], (GridCell{u"Bob Miller & Sons"_s, true})); // rich text runs joined
    EXPECT_EQ(people[1][6], (GridCell{u"Dear Jane Smith"_s, true}));   // a formula's text
    EXPECT_EQ(people[1][3], (GridCell{u"1984-03-15"_s, false}));       // a date shown as its format shows it
    EXPECT_EQ(people[1][4], (GridCell{u"1250.75"_s, false}));
    EXPECT_EQ(people[3][0].text, u"Zoë <Ødegård> \"Z\"");
    EXPECT_EQ(people[3][1], GridCell{});
    EXPECT_EQ(book.grid(1)[2][0].text, u"Two lines:\nfirst, then second");
    EXPECT_TRUE(book.grid(2).isEmpty());
    EXPECT_EQ(book.warnings(),
              (QList<QString>{u"Cell comments and notes aren’t changed. Delete them first if they mention people."_s,
                              u"The workbook’s author field (File › Properties) isn’t changed."_s}));
}

TEST(XLSXDocument, UnchangedWorkbookKeepsEveryStoredPart)
{
    for (const QString &name : {u"people.xlsx"_s, u"rows.xlsx"_s}) {
        const QByteArray original = fixture(name);
        const Spreadsheet book(original, name);
        const QByteArray rewritten = book.data([](const auto &, const QString &) { return std::nullopt; });
        expectSameEntries(ZipArchive(original), ZipArchive(rewritten));
    }
}

TEST(XLSXDocument, ChangedCellsTouchOnlyTheirBytes)
{
    const QByteArray original = fixture(u"people.xlsx"_s);
    const Spreadsheet book(original, u"people.xlsx"_s);
    const QByteArray rewritten = book.data(changing({{u"G2"_s, u"A & B <x> 'q'"_s}, {u"A2"_s, u"Ann Lee"_s}}));
    const Spreadsheet again(rewritten, u"people.xlsx"_s);
    EXPECT_EQ(text(again.grid(0), 1, 6), u"A & B <x> 'q'");
    EXPECT_EQ(text(again.grid(0), 1, 0), u"Ann Lee");
    // The other sheet's cell showed the same string and kept its text: it now
    // shows an added copy of the old one.
    EXPECT_EQ(text(again.grid(1), 1, 1), u"Jane Smith");
    EXPECT_TRUE(part(rewritten, u"xl/worksheets/sheet1.xml"_s).contains("<v>A &amp; B &lt;x&gt; 'q'</v>"));

    const ZipArchive before(original), after(rewritten);
    for (const ZipArchive::Entry &entry : before.entries()) {
        const bool changed = entry.path == u"xl/worksheets/sheet1.xml" || entry.path == u"xl/worksheets/sheet2.xml"
                             || entry.path == u"xl/sharedStrings.xml";
        EXPECT_EQ(after.storedBytes(*after.entry(entry.path)) == before.storedBytes(entry), !changed)
            << entry.path.toStdString();
    }
}

TEST(XLSXDocument, SharedStringsFollowTheFirstCellThatShowsThem)
{
    const QByteArray sheet = sheetData(R"(<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>0</v></c>
        <c r="C1" t="s"><v>0</v></c></row>)");
    const QByteArray book = workbook(sheet, sharedStrings({"Jane", "spare"}));
    const auto rewrite = [&](const Changes &changes) {
        const QByteArray out = Spreadsheet(book, u"b.xlsx"_s).data(changing(changes));
        QStringList texts;
        for (const GridCell &cell : Spreadsheet(out, u"b.xlsx"_s).grid(0).value(0))
            texts.append(cell.text);
        return std::pair(texts, part(out, u"xl/sharedStrings.xml"_s));
    };

    auto [all, allXml] = rewrite({{u"A1"_s, u"Ann"_s}, {u"B1"_s, u"Ann"_s}, {u"C1"_s, u"Ann"_s}});
    EXPECT_EQ(all, (QStringList{u"Ann"_s, u"Ann"_s, u"Ann"_s}));
    EXPECT_EQ(allXml, sharedStrings({"Jane", "spare"}).replace("<si><t>Jane</t></si>",
                                                               "<si><t xml:space=\"preserve\">Ann</t></si>"));

    auto [first, firstXml] = rewrite({{u"A1"_s, u"Ann"_s}});
    EXPECT_EQ(first, (QStringList{u"Ann"_s, u"Jane"_s, u"Jane"_s}));
    EXPECT_EQ(firstXml.count("<si>"), 3); // the old text once more, shared by B1 and C1

    auto [second, secondXml] = rewrite({{u"B1"_s, u"Bea"_s}, {u"C1"_s, u"Bea"_s}});
    EXPECT_EQ(second, (QStringList{u"Jane"_s, u"Bea"_s, u"Bea"_s}));
    EXPECT_TRUE(secondXml.endsWith("<si><t xml:space=\"preserve\">Bea</t></si></sst>"));

    // A string no cell shows is offered without a cell and rewritten in place.
    const Spreadsheet spread(book, u"b.xlsx"_s);
    EXPECT_EQ(spread.unreferencedSharedStrings(), QStringList{u"spare"_s});
    const QByteArray out = spread.data([](const std::optional<CellRef> &cell, const QString &old) {
        return cell ? std::nullopt : std::optional(old.toUpper());
    });
    EXPECT_EQ(Spreadsheet(out, u"b.xlsx"_s).unreferencedSharedStrings(), QStringList{u"SPARE"_s});

    const Spreadsheet broken(workbook(sheet, "<sst><si><t>Jane</t></si>"), u"b.xlsx"_s);
    EXPECT_EQ(failureOf([&] { broken.data(changing({{u"B1"_s, u"Bea"_s}})); }),
              u"The workbook’s shared strings are damaged."_s);
}

TEST(XLSXDocument, ReadsCellsTheWaysWritersWriteThem)
{
    const QByteArray sheet = R"(<x:worksheet xmlns:x="urn:main"><x:sheetData>
        <!-- <x:c r="Z9" t="inlineStr"><x:is><x:t>comment</x:t></x:is></x:c> -->
        <x:row r="2"><x:c r="C2" t="s"><x:v> 1 </x:v></x:c><x:c t="inlineStr"><x:is><x:r><x:t>in</x:t></x:r><x:r><x:t
          xml:space='preserve'>line &#x41;&#65;&foo; &amp; &</x:t></x:r></x:is></x:c></x:row>
        <x:row r="5"><x:c r="A5" t="b"><x:v>1</x:v></x:c><x:c r="B5" t="str" note="a > b"><x:f>A1</x:f><x:v>f&lt;x</x:v></x:c>
          <x:c r="C5" t="e"><x:v>#N/A</x:v></x:c><x:c r="D5"/><x:c r="E5" t="s"><x:v>99</x:v></x:c>
          <x:c r="F5" t="s"><x:v>one</x:v></x:c><x:c r="G5" t="inlineStr"></x:c><x:c r="$H$5"><x:v>2.5</x:v></x:c></x:row>
        <x:row><x:c><x:v>7</x:v></x:c><x:c r="ZZZZ1"><x:v>8</x:v></x:c></x:row>
        </x:sheetData></x:worksheet>)";
    const QByteArray shared = R"(<x:sst xmlns:x="urn:main"><x:si><x:t>zero</x:t></x:si>
        <x:si><x:r><x:t>Ja</x:t></x:r><x:r><x:t>ne</x:t></x:r><x:rPh sb="0" eb="1"><x:t>ジェーン</x:t></x:rPh></x:si>
        <![CDATA[<x:si><x:t>not a string</x:t></x:si>]]><x:si/></x:sst>)";
    const QByteArray book = workbook(sheet, shared);
    const Spreadsheet spread(book, u"x.xlsx"_s);
    const Grid grid = spread.grid(0);
    EXPECT_EQ(grid[1][2], (GridCell{u"Jane"_s, true}));
    EXPECT_EQ(grid[1][3], (GridCell{u"inline AA&foo; & &"_s, true})); // implicit column after C2
    // D5 self-closing, F5 an index that is no number and G5 an inline string without <is>: no cells;
    // E5 an index past the strings: empty text.
    EXPECT_EQ(grid[4], (QList<GridCell>{{u"TRUE"_s, false}, {u"f<x"_s, true}, {u"#N/A"_s, false}, {}, {QString(), true},
                                        {}, {}, {u"2.5"_s, false}}));
    ASSERT_EQ(grid.size(), 6);
    EXPECT_EQ(grid[5][0].text, u"7"); // a row without r follows row 5
    EXPECT_EQ(grid[5][1].text, u"8"); // a reference out of range takes the next position
    EXPECT_EQ(spread.unreferencedSharedStrings(), (QStringList{u"zero"_s, QString()}));

    // Written elements keep the prefix of the cell they replace.
    const QByteArray out = spread.data(changing({{u"D2"_s, u"new \"one\""_s}, {u"C2"_s, u"Jo"_s}, {u"E5"_s, u"x"_s}}));
    EXPECT_TRUE(part(out, u"xl/worksheets/sheet1.xml"_s)
                    .contains("<x:is><x:t xml:space=\"preserve\">new &quot;one&quot;</x:t></x:is>"));
    EXPECT_TRUE(part(out, u"xl/sharedStrings.xml"_s).contains("<x:si><x:t xml:space=\"preserve\">Jo</x:t></x:si>"));
    EXPECT_EQ(text(Spreadsheet(out, u"x.xlsx"_s).grid(0), 1, 3), u"new \"one\"");
}

TEST(XLSXDocument, FindsSheetsThroughTheirRelationships)
{
    const QByteArray workbookXml = R"(<workbook><sheets><sheet name="A" r:id="r1"/><sheet name="B" x:id="r2"/>
        <sheet r:id="r1"/><sheet name="C"/><sheet name="Gone" r:id="r3"/></sheets></workbook>)";
    const QByteArray relationships = R"(<Relationships><Relationship Id="r1" Target="/xl/worksheets/first.xml"/>
        <Relationship Id="r2" Target="worksheets/../worksheets/./second.xml"/>
        <Relationship Id="r3" Target="../nowhere.xml"/></Relationships>)";
    const auto cell = [](const QByteArray &value) { return sheetData("<row><c><v>" + value + "</v></c></row>"); };
    ZipBuilder zip;
    zip.add("xl/workbook.xml", workbookXml).add("xl/_rels/workbook.xml.rels", relationships);
    zip.add("xl/worksheets/first.xml", cell("1")).add("xl/worksheets/second.xml", cell("2"));
    zip.add("xl/worksheets/sheet3.xml", cell("3"));
    for (const char *extra : {"xl/pivotCache/pivotCacheDefinition1.xml", "xl/charts/chart1.xml",
                              "xl/externalLinks/externalLink1.xml", "xl/threadedComments/threadedComment1.xml",
                              "xl/comments2.xml"})
        zip.add(extra, "<x/>");
    zip.add("docProps/core.xml", "<cp:coreProperties><dc:creator> </dc:creator></cp:coreProperties>");
    const QByteArray book = zip.build();
    const Spreadsheet document(book, u"book.xlsx"_s);
    EXPECT_EQ(document.sheetNames(), (QStringList{u"A"_s, u"B"_s, u"C"_s}));
    // Each sheet's part, the third one by its conventional path.
    EXPECT_EQ(text(document.grid(0), 0, 0) + text(document.grid(1), 0, 0) + text(document.grid(2), 0, 0), u"123");
    EXPECT_EQ(document.warnings(),
              (QStringList{u"Cell comments and notes aren’t changed. Delete them first if they mention people."_s,
                           u"Pivot tables keep their own copy of the data, which isn’t changed. Remove them before sharing."_s,
                           u"Charts keep a cached copy of their labels until Excel redraws them."_s,
                           u"Links to other workbooks keep cached values that aren’t changed."_s}));

    // Without relationships the sheets are taken in workbook order.
    const QByteArray bare = ZipBuilder()
                                .add("XL/Workbook.xml", R"(<workbook><sheet name="S1"/><sheet name="S2"/></workbook>)")
                                .add("xl/worksheets/sheet2.xml", cell("2"))
                                .build();
    EXPECT_EQ(Spreadsheet(bare, u"bare.xlsx"_s).sheetNames(), QStringList{u"S2"_s});
}

TEST(XLSXDocument, RefusesWhatIsNoWorkbook)
{
    EXPECT_EQ(openFailure(ZipBuilder().add("word/document.xml", "<w/>").build()), u"It isn’t an Excel workbook (.xlsx)."_s);
    EXPECT_EQ(openFailure(ZipBuilder().add("xl/workbook.xml", "<workbook><sheets/></workbook>").build()),
              u"The workbook has no sheets."_s);
    EXPECT_EQ(openFailure(ZipBuilder().add("xl/workbook.xml", oneSheetWorkbook).build()),
              u"The workbook’s sheets are missing."_s);
    ZipItem damaged{"xl/workbook.xml", oneSheetWorkbook};
    damaged.declaredSize = 3;
    EXPECT_EQ(openFailure(ZipBuilder().add(damaged).build()),
              u"“xl/workbook.xml” didn’t check out (the file may be damaged)."_s);
}

TEST(XLSXDocument, GridLeavesOutCellsPastItsLimits)
{
    const QByteArray book = workbook(sheetData(R"(<row r="1"><c r="ALL1" t="inlineStr"><is><t>wide</t></is></c>
        <c r="ALM1" t="inlineStr"><is><t>too wide</t></is></c></row>
        <row r="100001"><c r="A100001" t="str"><v>last</v></c></row>
        <row r="150001"><c r="A150001" t="str"><v>far</v></c></row>)"));
    const Spreadsheet spread(book, u"big.xlsx"_s);
    const Grid grid = spread.grid(0);
    ASSERT_EQ(grid.size(), 150'001);
    EXPECT_EQ(grid[0].size(), 1'000);
    EXPECT_EQ(grid[0][999].text, u"wide");
    EXPECT_EQ(grid[100'000][0].text, u"last");
    EXPECT_TRUE(grid[150'000].isEmpty());
    QList<CellRef> offered;
    spread.data([&](const std::optional<CellRef> &cell, const QString &) {
        offered.append(*cell);
        return std::nullopt;
    });
    EXPECT_EQ(offered, (QList<CellRef>{{0, 0, 999}, {0, 0, 1000}, {0, 100'000, 0}, {0, 150'000, 0}}));
}

// A large sheet is read a part at a time: whole rows, in reading order, the
// later of two cells in one place, and quotes that ran away marked, just as
// the whole list has them.
TEST(XLSXDocument, CellsInPartsAreTheWholeListInWholeRows)
{
    const Spreadsheet book(workbook(sheetData(R"(<row r="3"><c r="B3" t="inlineStr"><is><t>b3</t></is></c></row>
        <row r="1"><c r="C1" t="inlineStr"><is><t>c1</t></is></c><c r="A1" t="inlineStr"><is><t>a1</t></is></c></row>
        <row r="2"><c r="A2"><v>2</v></c><c r="A2" t="inlineStr"><is><t>a2 again</t></is></c></row>
        <row r="1"><c r="B1" t="inlineStr"><is><t>b1</t></is></c></row>)")),
                           u"parts.xlsx"_s);
    const Spreadsheet csv("a,b,c\nd,\"e\n" + QByteArray("x\n").repeated(150) + "\",f\ng\nh,\"never closed\n", u"parts.csv"_s);
    for (const Spreadsheet *file : {&book, &csv}) {
        const QList<PlacedCell> whole = file->cells(0);
        ASSERT_GE(whole.size(), 5) << file->fileName().toStdString();
        for (const qsizetype partCells : {1, 2, 3, 100}) {
            QList<PlacedCell> joined;
            file->cellsInParts(0, partCells, [&](const QList<PlacedCell> &part) {
                ASSERT_FALSE(part.isEmpty());
                if (!joined.isEmpty()) {
                    EXPECT_NE(joined.last().row, part.first().row) << "a row split between parts";
                }
                joined.append(part);
            });
            EXPECT_EQ(joined, whole) << file->fileName().toStdString() << " in parts of " << partCells;
        }
    }
    const auto texts = [](const QList<PlacedCell> &cells) {
        QStringList all;
        for (const PlacedCell &placed : cells)
            all.append(placed.cell.text + (placed.cell.freeText ? u"*"_s : QString()));
        return all;
    };
    EXPECT_EQ(texts(book.cells(0)), (QStringList{u"a1"_s, u"b1"_s, u"c1"_s, u"a2 again"_s, u"b3"_s}));
    EXPECT_EQ(texts(csv.cells(0)).mid(3, 2), (QStringList{u"d"_s, u"e\n"_s + u"x\n"_s.repeated(150) + u"*"_s}));
    EXPECT_TRUE(texts(csv.cells(0)).last().endsWith(u'*'));
}

// Scans and suggestions skip the same header row: the first with text among
// all of a sheet's cells, those past the grid's limits included.
TEST(XLSXDocument, HeaderRowIsTheFirstRowWithTextAnywhere)
{
    const Spreadsheet book(workbook(sheetData(R"(<row r="1"><c r="A1" t="inlineStr"><is><t></t></is></c></row>
        <row r="3"><c r="ALM3" t="inlineStr"><is><t>Notes</t></is></c></row>
        <row r="4"><c r="A4" t="inlineStr"><is><t>Jane Roe</t></is></c></row>)")),
                           u"wide.xlsx"_s);
    EXPECT_TRUE(book.grid(0).at(2).isEmpty());
    EXPECT_EQ(book.headerRowIndex(0, true), 2);
    EXPECT_EQ(book.headerRowIndex(0, false), -1);
    EXPECT_EQ(Spreadsheet(",\n\"\",\nName,Email\n", u"people.csv"_s).headerRowIndex(0, true), 2);
    EXPECT_EQ(Spreadsheet(",\n", u"blank.csv"_s).headerRowIndex(0, true), -1);
}

// Markup built to make a reader quadratic or deep; ctest's time-out catches a
// reader that hangs, the benchmark measures speed.
TEST(XLSXDocument, HostileMarkupIsReadAndRewritten)
{
    const QList<QByteArray> sheets = {
        sheetData("<row>" + QByteArray("<c>").repeated(200'000) + "</row>"),
        sheetData("<row><c t=\"inlineStr\"><is>" + QByteArray("<t>").repeated(200'000) + "</is></c></row>"),
        sheetData("<row><c r=\"A1\" t=\"inlineStr\"><is>" + QByteArray("<t>x").repeated(200'000) + "</t></is></c></row>"),
        "<worksheet><sheetData><row><c r=\"A1\" t=\"str\"><v>" + QByteArray(1'000'000, 'x'),
        "<worksheet><!-- " + QByteArray("<c>").repeated(200'000),
        "<worksheet a=\"" + QByteArray("<row>").repeated(200'000),
    };
    for (const QByteArray &sheet : sheets) {
        const Spreadsheet spread(workbook(sheet, "<sst>" + QByteArray("<si><t>").repeated(20'000)), u"h.xlsx"_s);
        spread.grid(0);
        EXPECT_FALSE(spread.data([](const auto &, const QString &) { return u"changed"_s; }).isEmpty());
    }
}

// A damaged last row is said, not passed over in silence.
TEST(XLSXDocument, DamageInTheSheetIsWarnedAbout)
{
    const QByteArray header = "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>";
    const QString broken = u"“One” holds broken markup, so some of its cells may not have been read and swapped. "
                           u"Open the workbook in Excel, save it again and swap that copy."_s;
    const QString missing = u"Some cells of “One” point to shared strings the workbook doesn’t have; "
                            u"they show nothing and aren’t changed."_s;
    const QList<std::pair<QByteArray, QStringList>> cases{
        {sheetData(header + "<row r=\"2\"><c r=\"A2\" t=\"s\"><v>0</v></c></row>"), {}},
        {sheetData(header + "<row r=\"2\"><c r=\"A2\" t=\"s\"><v>7</v></c></row>"), {missing}},
        {sheetData(header + "<row r=\"2\"><c r=\"A2\" t=\"inlineStr\"><is><t>Jane Roe</t></is></row>"), {broken}},
        {"<worksheet><sheetData>" + header + "<row r=\"2\"><c r=\"A2\" t=\"inlineStr\"><is><t>Jane Roe</t></is></c",
         {broken}},
        {sheetData(header + "<row r=\"2\"><c r=\"A3000000\" t=\"s\"><v>0</v></c></row>"),
         {u"Some cells of “One” name places no sheet has (such as row 0 or a row past 2,000,000); they were placed "
          u"after the cell before them and searched all the same."_s}},
    };
    for (const auto &[sheet, warnings] : cases)
        EXPECT_EQ(XLSXDocument(workbook(sheet, sharedStrings({"Name"}))).warnings(), warnings) << sheet.toStdString();
}
