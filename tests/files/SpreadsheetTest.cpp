#include "TestFiles.h"
#include "ZipBuilder.h"
#include "kit/files/Spreadsheet.h"

#include <gtest/gtest.h>

using namespace quorvane;
using namespace quorvane::test;
using namespace Qt::StringLiterals;

namespace {

QString loadFailure(const QByteArray &data, const QString &name)
{
    return failureOf([&] { Spreadsheet sheet(data, name); });
}

} // namespace

TEST(Spreadsheet, RecognisesTextFilesByContent)
{
    for (const QString &name : {u"customers.csv"_s, u"data.txt"_s, u"export"_s, u"list.tsv"_s}) {
        const Spreadsheet sheet("a,b\n1,2\n", name);
        EXPECT_EQ(sheet.kind(), FileKind::csv);
        EXPECT_EQ(sheet.sheetNames(), QStringList{QStringView(name).left(name.indexOf(u'.')).toString()});
    }
    EXPECT_EQ(Spreadsheet(QByteArray("\xFF\xFE" "a\0", 4), u"u.csv"_s).kind(), FileKind::csv);
}

TEST(Spreadsheet, RefusesWhatItCannotRead)
{
    EXPECT_EQ(loadFailure("anything", u"old.XLS"_s),
              u"Older .xls workbooks need saving as .xlsx or CSV first (File › Save As in Excel)."_s);
    EXPECT_EQ(loadFailure("a,b", u"budget.numbers"_s),
              u"Numbers files need exporting first: in Numbers, choose File › Export To › CSV or Excel."_s);
    EXPECT_EQ(loadFailure(QByteArray("%PDF-1.7\n\0\x01", 11), u"scan.pdf"_s), u"“scan.pdf” isn’t a CSV or Excel file."_s);
    // Named like a workbook, or looking like a zip, it is opened as one.
    const QString notWorkbook =
        u"It isn’t an Excel workbook (.xlsx). Older .xls and Numbers files need saving as .xlsx or CSV first."_s;
    for (const auto &[bytes, name] : {std::pair("a,b\n", u"Report.XLSX"_s), std::pair("a,b\n", u"Report.xlsm"_s),
                                      std::pair("PK\x03\x04 broken", u"export.dat"_s), std::pair("", u"empty.xlsx"_s)})
        EXPECT_EQ(loadFailure(bytes, name), notWorkbook) << name.toStdString();
}

// Too large to hold: refused before any reading, with what to do instead;
// a workbook by what its sheets and shared strings unpack to.
TEST(Spreadsheet, RefusesFilesBeyondTheSizeCap)
{
    EXPECT_EQ(loadFailure(QByteArray(Spreadsheet::largestFile + 1, 'a'), u"huge.csv"_s),
              u"“huge.csv” is larger than 100 MB, the most Quorvane reads. Split it into smaller files and swap each "
              u"with the same key, so that they share their stand-ins."_s);
    test::ZipItem sheet("xl/worksheets/sheet1.xml", "<worksheet/>");
    sheet.declaredSize = 300'000'000;
    test::ZipItem shared("xl/sharedStrings.xml", "<sst/>");
    shared.declaredSize = 300'000'000;
    const QByteArray book = test::ZipBuilder()
                                .add("xl/workbook.xml", "<workbook><sheets><sheet name=\"S\"/></sheets></workbook>")
                                .add(sheet)
                                .add(shared)
                                .build();
    EXPECT_EQ(loadFailure(book, u"bomb.xlsx"_s),
              u"The workbook unpacks to more than 500 MB, the most Quorvane reads. Save its sheets as smaller "
              u"workbooks or CSV files and swap each with the same key."_s);
}

// What long work measures its progress against: the cells scans read and the
// cells a rewrite offers, numbers in a workbook being read but never offered.
TEST(Spreadsheet, CountsTheCellsItReadsAndOffers)
{
    const QList<Spreadsheet> files{
        Spreadsheet(readBytes(u"" QUORVANE_SOURCE_DIR "/examples/customers.xlsx"_s), u"customers.xlsx"_s),
        Spreadsheet(readBytes(u"" QUORVANE_SOURCE_DIR "/examples/customers.csv"_s), u"customers.csv"_s),
        Spreadsheet("a,b\n\nc\n", u"short.csv"_s),
    };
    for (const Spreadsheet &file : files) {
        qsizetype read = 0, offered = 0;
        for (int sheet = 0; sheet < file.sheetNames().size(); ++sheet)
            read += file.cells(sheet).size();
        file.data([&](const std::optional<CellRef> &cell, const QString &) -> std::optional<QString> {
            offered += cell.has_value();
            return std::nullopt;
        });
        EXPECT_EQ(std::pair(file.cellCount(), file.offeredCellCount()), std::pair(read, offered))
            << file.fileName().toStdString();
    }
    EXPECT_LT(files[0].offeredCellCount(), files[0].cellCount());
}
