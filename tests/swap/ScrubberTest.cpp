#include "kit/files/Spreadsheet.h"
#include "kit/swap/Scan.h"
#include "kit/swap/Scrubber.h"
#include "tests/files/ZipBuilder.h"

#include <gtest/gtest.h>

using namespace quorvane;
using namespace Qt::StringLiterals;

namespace {

const QString people = u"Name,Email\n"
                       "Maria Lopez & Tom Reyes,maria.lopez@acme.com\n"
                       "\"Tom Reyes\",tom.reyes@acme.com\n"_s;

Spreadsheet csv(const QString &text = people)
{
    return Spreadsheet(text.toUtf8(), u"people.csv"_s);
}

ProjectKey emptyKey()
{
    return ProjectKey(u"Test"_s, QUuid(), QDateTime(), QByteArray(32, '\x07'));
}

QString cell(const QByteArray &data, int row, int column)
{
    return Spreadsheet(data, u"copy.csv"_s).grid(0).at(row).at(column).text;
}

QString plannedStandIn(const Scan &scan, const QString &id)
{
    for (const ReviewItem &item : scan.items)
        if (item.id() == id)
            return item.standIn;
    return {};
}

} // namespace

TEST(Scrubber, ApplyingReplacesFromTheLastRangeAndSkipsWhatNoLongerFits)
{
    Scan scan;
    scan.items.resize(3);
    scan.items[0].text = u"Maria"_s;
    scan.items[0].standIn = u"Zelda"_s;
    scan.items[1].text = u"Lopez"_s;
    scan.items[1].standIn = u"Okafor"_s;
    scan.items[2].text = u"Gone"_s;
    scan.items[2].standIn = u"x"_s;
    scan.respellings = {u"Okafor-Quinn"_s};
    const QList<Scan::Planned> planned{{{0, 5}, 0}, {{6, 11}, 1, 0}, {{20, 30}, 2}};
    const Scrubber::Applied both = Scrubber::applying(planned, u"Maria Lopez"_s, scan, {});
    EXPECT_EQ(both.text, u"Zelda Okafor-Quinn");
    EXPECT_EQ(both.count, 2);
    EXPECT_EQ(Scrubber::applying(planned, u"Maria Lopez"_s, scan, {u"name|lopez"_s}).text, u"Zelda Lopez");
    EXPECT_FALSE(
        Scrubber::applying(planned, u"Maria Lopez"_s, scan, {u"name|lopez"_s, u"name|maria"_s}).text.has_value());
}

TEST(Scrubber, ExcludedValuesStayAndTheRestOfTheirCellIsSwapped)
{
    ProjectKey key = emptyKey();
    const Spreadsheet file = csv();
    const Scan scanned = scan(file, key, {});
    const Scrubber::Result result = Scrubber::apply(scanned, file, key, {u"name|tom reyes"_s});
    EXPECT_EQ(cell(result.data, 1, 0), plannedStandIn(scanned, u"name|maria lopez"_s) + u" & Tom Reyes"_s);
    EXPECT_EQ(cell(result.data, 2, 0), u"Tom Reyes");
    EXPECT_EQ(result.replaced, 3);
    EXPECT_FALSE(key.storedSubstitute(u"Tom"_s, EntryKind::firstName).has_value());
    EXPECT_EQ(key.files(), QStringList{u"people.csv"_s});
    // Applied again, the same scan gives the same copy and records nothing new.
    const qsizetype values = key.valueCount();
    EXPECT_EQ(Scrubber::apply(scanned, file, key, {u"name|tom reyes"_s}).data, result.data);
    EXPECT_EQ(key.valueCount(), values);
    EXPECT_EQ(key.files(), QStringList{u"people.csv"_s});

    // Excluding everything writes the plain copy and leaves the key alone.
    ProjectKey untouched = emptyKey();
    QSet<QString> all;
    for (const ReviewItem &item : scanned.items)
        all.insert(item.id());
    const Scrubber::Result plain = Scrubber::apply(scanned, file, untouched, all);
    EXPECT_EQ(plain.data, file.data([](const std::optional<CellRef> &, const QString &) { return std::nullopt; }));
    EXPECT_EQ(std::pair(untouched.valueCount(), untouched.files().size()), std::pair(qsizetype(0), qsizetype(0)));
}

TEST(Scrubber, AKeyThatMovedOnSinceTheScanIsRefused)
{
    const Spreadsheet file = csv();
    const ProjectKey original = emptyKey();
    const Scan scanned = scan(file, original, {});

    // Another swap gave Maria a different stand-in meanwhile.
    ProjectKey changed = original;
    changed.record({EntryKind::firstName, u"Maria"_s, u"Wendell"_s});
    const ProjectKey beforeFailure = changed;
    try {
        Scrubber::apply(scanned, file, changed, {});
        FAIL() << "expected the scan to be outdated";
    } catch (const Scrubber::Failure &failure) {
        EXPECT_EQ(failure.message(), u"The key changed since this file was scanned. Scan it again.");
    }
    EXPECT_EQ(changed.entries(), beforeFailure.entries());

    // Or handed the stand-in planned for Maria to somebody else.
    ProjectKey taken = original;
    ASSERT_EQ(scanned.items.first().id(), u"name|maria lopez");
    const QString planned = scanned.entries.at(0).first().standIn;
    taken.record({EntryKind::lastName, u"Someone"_s, planned});
    EXPECT_THROW(Scrubber::apply(scanned, file, taken, {}), Scrubber::Failure);
    EXPECT_EQ(taken.valueCount(), 1);
}

TEST(Scrubber, SevenDigitPhonesPastTheHundredFictionalOnesEachGetTheirOwnStandIn)
{
    // Seven-digit numbers have only a hundred stand-ins, 555-0100 to 555-0199;
    // the rest take ten-digit ones.
    QString text = u"Phone\n"_s;
    for (int i = 0; i < 102; ++i)
        text += u"867-%1\n"_s.arg(1000 + i);
    ProjectKey key = emptyKey();
    const Spreadsheet file = csv(text);
    const Scrubber::Result result = Scrubber::apply(scan(file, key, {}), file, key, {});
    EXPECT_EQ(result.replaced, 102);
    QSet<QString> standIns;
    for (const ProjectKey::Entry &entry : key.entries())
        standIns.insert(entry.standIn);
    EXPECT_EQ(standIns.size(), 102);
}

// The writer takes the scan's own key while the key has not moved on; adding
// the planned entries one by one gives the same key.
TEST(Scrubber, TheScansKeyEqualsTheEntriesAddedOneByOne)
{
    ProjectKey base = emptyKey();
    base.record({EntryKind::firstName, u"Tom"_s, u"Mateo"_s});
    base.addFile(u"earlier.csv"_s);
    const Spreadsheet file = csv();
    const Scan scanned = scan(file, base, {});
    ASSERT_TRUE(scanned.plannedKey.has_value());
    base.setName(u"Renamed"_s);
    ProjectKey taken = base, added = base;
    Scrubber::apply(scanned, file, taken, {});
    Scrubber::apply(scanned, file, added, {u"no such item"_s});
    EXPECT_EQ(taken.entries(), added.entries());
    EXPECT_EQ(taken.files(), added.files());
    EXPECT_EQ(taken.name(), u"Renamed");
}

// The writer is handed cells in the order the sheet lists them, which a
// workbook need not keep: rows and cells out of order are swapped exactly as
// the scan planned each of them.
TEST(Scrubber, CellsListedOutOfOrderGetTheirOwnPlans)
{
    QByteArray rows;
    for (const int row : {7, 1, 12, 3, 2, 11, 4, 10, 5, 9, 6, 8, 14, 13}) {
        const QByteArray r = QByteArray::number(row);
        rows += "<row r=\"" + r + "\"><c r=\"C" + r + "\" t=\"inlineStr\"><is><t>call 555-01" + QByteArray::number(10 + row)
            + "</t></is></c><c r=\"A" + r + "\" t=\"inlineStr\"><is><t>person" + r
            + "@mail.example.com</t></is></c></row>";
    }
    test::ZipBuilder zip;
    zip.add("xl/workbook.xml", R"(<workbook xmlns:r="urn:r"><sheets><sheet name="One" sheetId="1" r:id="rId1"/></sheets></workbook>)")
        .add("xl/_rels/workbook.xml.rels", R"(<Relationships><Relationship Id="rId1" Target="worksheets/sheet1.xml"/></Relationships>)")
        .add("xl/worksheets/sheet1.xml", "<worksheet><sheetData>" + rows + "</sheetData></worksheet>");
    const Spreadsheet file(zip.build(), u"book.xlsx"_s);
    ProjectKey key = emptyKey();
    const Scan scanned = scan(file, key, {});
    ASSERT_GE(scanned.planned.size(), 20);
    const QByteArray expected = file.data([&](const std::optional<CellRef> &at, const QString &text) {
        const QList<Scan::Planned> loose = at ? QList<Scan::Planned>() : scanned.loosePlanned.value(text);
        return Scrubber::applying(at ? scanned.planned.at(*at) : loose, text, scanned, {}).text;
    });
    EXPECT_EQ(Scrubber::apply(scanned, file, key, {}).data, expected);
}
