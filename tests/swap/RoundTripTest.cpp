// The whole story on the sample customer list: swap, let the copy be sorted,
// extended and edited, and restore.
#include "kit/files/Spreadsheet.h"
#include "kit/find/TextRules.h"
#include "kit/keys/WrittenForm.h"
#include "kit/restore/Restorer.h"
#include "kit/swap/Scan.h"
#include "kit/swap/Scrubber.h"
#include "tests/FileBytes.h"
#include "tests/files/ZipBuilder.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <algorithm>

using namespace quorvane;
using namespace Qt::StringLiterals;

namespace {

using Texts = QList<QStringList>;

Spreadsheet sample(const QString &name)
{
    return Spreadsheet(test::readBytes(QStringLiteral(QUORVANE_SOURCE_DIR) + u"/examples/"_s + name), name);
}

Texts texts(const Spreadsheet &sheet)
{
    Texts rows;
    for (const auto &row : sheet.grid(0)) {
        QStringList cells;
        for (const GridCell &cell : row)
            cells.append(cell.text);
        rows.append(cells);
    }
    return rows;
}

ProjectKey freshKey()
{
    return ProjectKey(u"Round trip"_s, QUuid(), QDateTime(), QByteArray(32, '\x2a'));
}

Spreadsheet swapped(const Spreadsheet &file, ProjectKey &key)
{
    const Scrubber::Result result = Scrubber::apply(scan(file, key, {}), file, key, {});
    return Spreadsheet(result.data, file.fileName());
}

Spreadsheet restored(const Spreadsheet &file, const ProjectKey &key)
{
    return Spreadsheet(Restorer(key).restore(file).data, file.fileName());
}

QByteArray bytes(const Spreadsheet &file)
{
    return file.data([](const std::optional<CellRef> &, const QString &) { return std::nullopt; });
}

} // namespace

// One key gives identical copies, whether swapped again or from a fresh key with the same secret.
TEST(RoundTrip, SwapThenRestoreGivesBackEveryRealValue)
{
    for (const QString &name : {u"customers.csv"_s, u"customers.xlsx"_s}) {
        SCOPED_TRACE(name.toStdString());
        const Spreadsheet original = sample(name);
        ProjectKey key = freshKey(), sameStart = freshKey();
        const Spreadsheet copy = swapped(original, key);
        EXPECT_EQ(bytes(swapped(original, key)), bytes(copy));
        EXPECT_EQ(bytes(swapped(original, sameStart)), bytes(copy));

        // No e-mail address or phone number of the original survives in the copy.
        const Texts before = texts(original), after = texts(copy);
        ASSERT_EQ(before.size(), after.size());
        for (qsizetype row = 1; row < before.size(); ++row) {
            for (int column : {1, 2, 3, 4}) {
                EXPECT_NE(before.at(row).at(column), after.at(row).at(column));
                EXPECT_FALSE(after.at(row).value(6).contains(before.at(row).at(column)));
            }
        }
        EXPECT_EQ(texts(restored(copy, key)), before);
    }
}

// The contractor reverses the rows, rewrites one name and mentions a person of
// the copy in a note. Workbook numbers are no text cells, so they stay put.
TEST(RoundTrip, AReorderedAndEditedCopyStillRestores)
{
    for (const QString &name : {u"customers.csv"_s, u"customers.xlsx"_s}) {
        SCOPED_TRACE(name.toStdString());
        const Spreadsheet original = sample(name);
        ProjectKey key = freshKey();
        const Texts real = texts(original);
        const Spreadsheet copy = swapped(original, key);
        const Texts swappedRows = texts(copy);
        const int rows = int(swappedRows.size());
        const auto mirrored = [&](int row) { return row == 0 ? 0 : rows - row; };
        const QString checked = u" Checked with "_s;
        const QByteArray returned = copy.data([&](const std::optional<CellRef> &cell, const QString &) -> std::optional<QString> {
            if (!cell)
                return std::nullopt;
            if (cell->row == 2 && cell->column == 1)
                return u"Zed Quill"_s;
            const QString text = swappedRows.at(mirrored(cell->row)).value(cell->column);
            return cell->row == 1 && cell->column == 6 ? text + checked + swappedRows.at(3).at(1) : text;
        });

        const Texts back = texts(restored(Spreadsheet(returned, name), key));
        ASSERT_EQ(back.size(), real.size());
        for (int row = 1; row < rows; ++row) {
            for (int column = 1; column < 7; ++column) {
                // A workbook row without a note has no cell to take one.
                QString expected = column < swappedRows.at(row).size() ? real.at(mirrored(row)).value(column) : QString();
                if (row == 2 && column == 1)
                    expected = u"Zed Quill"_s;
                if (row == 1 && column == 6)
                    expected += checked + real.at(3).at(1);
                EXPECT_EQ(back.at(row).value(column), expected) << "row " << row << " column " << column;
            }
        }
    }
}

// One opening quote too many turns the rest of the file into one cell: its
// text is still searched for every kind of value, the user is told where the
// quote starts, and restoring gives back the very bytes of the original.
TEST(RoundTrip, AnUnbalancedQuoteLeaksNothingAndRestoresExactly)
{
    const QByteArray bytes = "ID,Name,Email,Phone,City\n"
                             "1001,Maria Lopez,maria.lopez@northwindmail.net,(503) 867-2841,Portland\n"
                             "1002,\"James Whitfield,james.whitfield@harborline.org,415-864-3390,San Francisco\n"
                             "1003,Aisha Rahman,aisha.rahman@fastpost.com,+1 312 864 4402,Chicago\n";
    const Spreadsheet original(bytes, u"people.csv"_s);
    ProjectKey key = freshKey();
    const Scan planned = scan(original, key, {});
    ASSERT_EQ(planned.warnings.size(), 1);
    EXPECT_TRUE(planned.warnings.first().startsWith(u"A quote opened in row 3, column B never closes"_s));

    const QByteArray copy = Scrubber::apply(planned, original, key, {}).data;
    for (const char *real : {"Maria", "Lopez", "James", "Whitfield", "whitfield@", "864-3390", "Aisha", "Rahman",
                             "fastpost", "864 4402"})
        EXPECT_FALSE(copy.contains(real)) << real << " in\n" << copy.toStdString();
    EXPECT_EQ(Restorer(key).restore(Spreadsheet(copy, u"people.csv"_s)).data, bytes);
}

namespace {

QByteArray inlineCell(const QByteArray &reference, const QByteArray &text)
{
    return "<c r=\"" + reference + "\" t=\"inlineStr\"><is><t>" + text + "</t></is></c>";
}

QByteArray personRow(int row, const QByteArray &name, const QByteArray &email, const QByteArray &phone)
{
    const QByteArray r = QByteArray::number(row);
    return "<row r=\"" + r + "\">" + inlineCell("A" + r, name) + inlineCell("B" + r, email) + inlineCell("C" + r, phone)
        + "</row>";
}

// Cells in the far corners Excel allows, past row 100 000, and one row past
// what Excel allows at all.
QByteArray farCornersWorkbook()
{
    const QByteArray sheet = "<worksheet><sheetData>"
                             "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>1</v></c>"
                             "<c r=\"C1\" t=\"s\"><v>2</v></c></row>"
                             "<row r=\"2\"><c r=\"XFD2\" t=\"s\"><v>3</v></c></row>"
        + personRow(100001, "Maria Lopez", "maria.lopez@northwindmail.net", "(503) 867-2841")
        + personRow(100002, "James Whitfield", "james.whitfield@harborline.org", "415.864.3390")
        + "<row r=\"1048576\"><c r=\"B1048576\" t=\"s\"><v>4</v></c></row>"
        + personRow(1048577, "Aisha Rahman", "aisha.rahman@fastpost.com", "+1 312 864 4402")
        + "</sheetData></worksheet>";
    const QByteArray shared = "<sst><si><t>Name</t></si><si><t>Email</t></si><si><t>Phone</t></si>"
                              "<si><t>Called James Whitfield about the second invoice</t></si>"
                              "<si><t>peter.novak@mailbox.org</t></si></sst>";
    return test::ZipBuilder()
        .add("xl/workbook.xml", "<workbook xmlns:r=\"urn:r\"><sheets><sheet name=\"One\" r:id=\"rId1\"/></sheets></workbook>")
        .add("xl/_rels/workbook.xml.rels", "<Relationships><Relationship Id=\"rId1\" Target=\"worksheets/sheet1.xml\"/>"
                                           "<Relationship Id=\"rId2\" Target=\"sharedStrings.xml\"/></Relationships>")
        .add("xl/worksheets/sheet1.xml", sheet)
        .add("xl/sharedStrings.xml", shared)
        .build();
}

} // namespace

// Every cell the file holds is searched, however far out; the row count says
// so, and no part of the written archive keeps a real value.
TEST(RoundTrip, CellsInTheFarCornersAreSwappedToo)
{
    const Spreadsheet original(farCornersWorkbook(), u"far.xlsx"_s);
    ProjectKey key = freshKey();
    const Scan planned = scan(original, key, {});
    EXPECT_EQ(planned.dataRows, 5);
    EXPECT_EQ(planned.columns.size(), 4);
    EXPECT_TRUE(planned.warnings.contains(u"“One” has cells past the last row or column Excel allows (row 1,048,576, "
                                          u"column XFD). Excel doesn’t show them; they were searched and swapped all the same."_s));

    const ZipArchive copy(Scrubber::apply(planned, original, key, {}).data);
    for (const QString &path : copy.paths()) {
        const QByteArray part = copy.data(*copy.entry(path));
        for (const char *real : {"Maria", "Lopez", "James", "Whitfield", "northwindmail", "harborline", "867-2841",
                                 "864.3390", "Aisha", "Rahman", "fastpost", "864 4402", "peter.novak", "mailbox.org"})
            EXPECT_FALSE(part.contains(real)) << real << " in " << path.toStdString();
    }
}

TEST(RoundTrip, SharedPeopleGetTheSameStandInsInASecondFile)
{
    // A second file swapped with the same key gives the people both files
    // share the stand-ins they have in the first (phones in their own layout).
    ProjectKey key = freshKey();
    const Scan customers = scan(sample(u"customers.csv"_s), key, {});
    swapped(sample(u"customers.csv"_s), key);
    const Spreadsheet orders(u"Order,Customer,Contact email,Phone\n"
                             "A-17,Aisha Rahman,aisha.rahman@fastpost.com,(312) 555-4402\n"
                             "A-18,Maria Lopez,maria.lopez@northwindmail.net,503-555-2841\n"
                             "A-19,Ines Calloway,ines@calloway.example.org,(212) 555-7000\n"_s.toUtf8(),
                             u"orders.csv"_s);
    const auto comparable = [](const ReviewItem &item) {
        return item.kind == ValueKind::phone ? ProjectKey::normalized(item.standIn, EntryKind::phone) : item.standIn;
    };
    int shared = 0;
    for (const ReviewItem &item : scan(orders, key, {}).items) {
        const auto before = std::find_if(customers.items.cbegin(), customers.items.cend(),
                                         [&](const ReviewItem &i) { return i.id() == item.id(); });
        const bool known = before != customers.items.cend();
        EXPECT_EQ(item.alreadyInKey, known) << item.id().toStdString();
        if (known) {
            ++shared;
            EXPECT_EQ(comparable(item), comparable(*before)) << item.id().toStdString();
        }
    }
    EXPECT_EQ(shared, 6);
}

namespace {

// A town name no other row has: two made-up syllables and an ending.
QString madeUpTown(int n)
{
    static const QStringList syllables{u"bar"_s, u"cor"_s, u"dan"_s, u"fen"_s, u"gal"_s, u"hol"_s, u"jor"_s,
                                       u"kel"_s, u"lin"_s, u"mar"_s, u"nor"_s, u"per"_s, u"ros"_s, u"sel"_s,
                                       u"tam"_s, u"vin"_s};
    QString town = syllables.at(n % 16) + syllables.at(n / 16 % 16) + (n / 256 % 2 ? u"ton"_s : u"ville"_s);
    town[0] = town[0].toUpper();
    return town + QString(QChar(u'a' + n / 512));
}

void expectRoundTrip(const QString &csv)
{
    const Spreadsheet original(csv.toUtf8(), u"many.csv"_s);
    ProjectKey key = freshKey();
    const Spreadsheet copy = swapped(original, key);
    QSet<QString> standIns;
    for (const ProjectKey::Entry &entry : key.entries())
        standIns.insert(ProjectKey::spaceKey(entry.standIn, entry.kind));
    EXPECT_EQ(standIns.size(), key.valueCount());
    const Texts back = texts(restored(copy, key)), before = texts(original), swappedTexts = texts(copy);
    ASSERT_EQ(back.size(), before.size());
    for (qsizetype row = 0; row < before.size(); ++row)
        ASSERT_EQ(back.at(row), before.at(row)) << "row " << row << ": " << swappedTexts.at(row).join(u'|').toStdString();
}

} // namespace

// A hundred seven-digit stand-ins exist; the numbers past them take ten digits.
TEST(RoundTrip, MorePhonesThanTheFictionalLinesRestoreExactly)
{
    QString csv = u"Phone\n"_s;
    for (int i = 0; i < 150; ++i)
        csv += u"867-%1\n"_s.arg(1000 + i);
    expectRoundTrip(csv);
}

// Past 2 880 towns the stand-ins are twin towns with one more word; restoring
// them needs the restorer to look up a stand-in of several words whole.
TEST(RoundTrip, MoreTownsThanTheOneAndTwoWordStandInsRestoreExactly)
{
    QString csv = u"Address\n"_s;
    for (int i = 0; i < 3000; ++i)
        csv += u"\"12 Main St, %1, OR 97201\"\n"_s.arg(madeUpTown(i));
    expectRoundTrip(csv);
}

// A large file is searched by two threads at once; what either finds must
// land in its own cell, and a note name the same person as their row.
TEST(RoundTrip, ALargeFileSearchedInPartsKeepsEveryValueInItsCell)
{
    const QStringList firsts{u"Maria"_s, u"James"_s, u"Aisha"_s, u"Daniel"_s, u"Sofia"_s, u"Kevin"_s, u"Priya"_s};
    QString csv = u"ID,First name,Last name,Email,Phone,Notes\n"_s;
    for (int i = 0; i < 9000; ++i) {
        const QString first = firsts.at(i % firsts.size()), last = madeUpTown(i % 4096);
        csv += u"%1,%2,%3,%4@mail.net,(503) %5-%6,Called %2 about the renewal.\n"_s.arg(i + 100)
                   .arg(first, last, (first + last).toLower())
                   .arg(200 + i / 100)
                   .arg(1000 + i);
    }
    const Spreadsheet original(csv.toUtf8(), u"large.csv"_s);
    ProjectKey key = freshKey();
    const Spreadsheet copyFile = swapped(original, key);
    const Texts copy = texts(copyFile), before = texts(original);
    ASSERT_EQ(copy.size(), before.size());
    for (qsizetype row = 1; row < before.size(); ++row) {
        ASSERT_EQ(copy.at(row).at(0), before.at(row).at(0)) << "row " << row;
        ASSERT_NE(copy.at(row).at(2), before.at(row).at(2)) << "row " << row;
        ASSERT_EQ(copy.at(row).at(5), u"Called %1 about the renewal."_s.arg(copy.at(row).at(1))) << "row " << row;
    }
    EXPECT_EQ(texts(restored(copyFile, key)), before);
}

// Numbers from abroad, and layouts that would split a stand-in's 555 from its
// 01, take the plain US layout in the copy and come back exactly as written.
TEST(RoundTrip, PhonesInEveryCountrysLayoutRestoreExactly)
{
    expectRoundTrip(u"Phone,Notes\n"
                    "+34 612 345 678,call +34 612 345 678 today\n"
                    "+33 6 12 34 56 78,ok\n"
                    "+49 30 1234567,\n"
                    "+7 495 123-45-67,\n"
                    "+81 3-1234-5678,\n"
                    "+61 2 9876 5432,\n"
                    "06 12 34 56 78,\n"
                    "0412 345 678,\n"
                    "(02) 9876 5432,\n"
                    "98765 43210,\n"
                    "030 1234567,\n"
                    "+1 (415) 867-5309,\n"
                    "415.867.5309,\n"
                    "867 53 09,\n"_s);
}

// The key keeps the one spelling a restore can write in every case: met first
// in lower case, a name later written "MacDonald" still comes back so, and an
// address met first in capitals comes back in lower case where it was so.
TEST(RoundTrip, ANameInSeveralCasesComesBackInEach)
{
    expectRoundTrip(u"First,Last,Town,Email,Notes\n"
                    "zoë,macdonald,la jolla,ZMAC@EXAMPLE.ORG,thx zoë macdonald\n"
                    "Zoë,MacDonald,La Jolla,zmac@example.org,Zoë MacDonald called from La Jolla\n"
                    "ZOË,MACDONALD,LA JOLLA,ZMAC@EXAMPLE.ORG,\n"_s);
}

// Neighbours share a ZIP code but not its +4 part; the key holds the code once.
TEST(RoundTrip, EveryPlus4PartOfAZipCodeComesBack)
{
    expectRoundTrip(u"Address\n"
                    "\"12 Main St, Springfield, IL 62704-1234\"\n"
                    "\"14 Main St, Springfield, IL 62704-1301\"\n"
                    "\"16 Main St, Springfield, IL 62704\"\n"
                    "\"3 Elm Rd, Salem, OR 97301\"\n"
                    "\"5 Elm Rd, Salem, OR 97301-0420\"\n"_s);
}

// A ZIP code after a state code that no address finding takes stays in the
// copy; no ZIP stand-in may equal it, or a restore would change it.
TEST(RoundTrip, ZipCodesLeftInTheTextAreNoStandIns)
{
    QString csv = u"Address,Notes\n"_s;
    for (int i = 0; i < 1500; ++i)
        csv += u"\"%1 Main St, Springfield, IL %2\",Box at IL %3\n"_s.arg(i + 1).arg(10000 + i * 59).arg(10001 + i * 61);
    expectRoundTrip(csv);
}

// A note may hold a number the swap leaves alone but a restore would read as
// a stand-in ("0161 555 0192"): no phone gets such a number for a stand-in.
TEST(RoundTrip, NumbersLeftInTheTextThatLookLikeStandInsAreNoStandIns)
{
    QString csv = u"Phone,Notes\n"_s;
    for (int i = 0; i < 150; ++i)
        csv += u"867-%1,TEL 0161 555 01%2\n"_s.arg(1000 + i).arg(i % 100, 2, 10, QChar(u'0'));
    expectRoundTrip(csv);
}

// Every note of the name-finding corpora (thousands, from many desks and in
// many scripts) comes back as written. A note may differ only in letter case,
// where it holds a word that other notes spell in another mixed case: the key
// keeps one spelling of each word.
TEST(RoundTrip, EveryNoteOfTheNameCorporaComesBack)
{
    QStringList notes;
    const QDir corpora(QStringLiteral(QUORVANE_TEST_DATA "/find"));
    for (const QString &name : corpora.entryList({u"notes-*.jsonl"_s})) {
        for (const QByteArray &line : test::readBytes(corpora.filePath(name)).split('\n'))
            if (!line.trimmed().isEmpty())
                notes.append(QJsonDocument::fromJson(line).object().value(u"text"_s).toString());
    }
    ASSERT_GT(notes.size(), 5000);
    QHash<QString, QSet<QString>> mixedSpellings;
    QString csv = u"Notes\n"_s;
    for (const QString &note : std::as_const(notes)) {
        for (const Word &word : nameWords(note))
            if (letterCaseOf(word.word) == LetterCase::mixed)
                mixedSpellings[word.word.toLower()].insert(word.word);
        csv += u'"' + QString(note).replace(u'"', u"\"\""_s) + u"\"\n"_s;
    }
    const auto spelledTwice = [&](const QString &note) {
        const QList<Word> words = nameWords(note);
        return std::any_of(words.cbegin(), words.cend(),
                           [&](const Word &word) { return mixedSpellings.value(word.word.toLower()).size() > 1; });
    };
    const Spreadsheet original(csv.toUtf8(), u"notes.csv"_s);
    ProjectKey key = freshKey();
    const Texts back = texts(restored(swapped(original, key), key)), before = texts(original);
    ASSERT_EQ(back.size(), before.size());
    for (qsizetype row = 1; row < before.size(); ++row) {
        const QString &note = before.at(row).at(0), &restoredNote = back.at(row).at(0);
        const bool asWritten = restoredNote == note
            || (spelledTwice(note) && restoredNote.compare(note, Qt::CaseInsensitive) == 0);
        EXPECT_TRUE(asWritten) << note.toStdString() << "\n came back as\n" << restoredNote.toStdString();
    }
}

// A period after a street most often ends the sentence: the copy keeps it, and
// the street is one value with or without it.
TEST(RoundTrip, AStreetEndingASentenceKeepsItsPeriod)
{
    const QString csv = u"Street,Notes\n"
                        "4667 Old Mill Rd,Mailed to 4667 Old Mill Rd. Then called.\n"
                        "22 Oak St.,Lives at 22 Oak St\n"
                        "\"4667 Old Mill Rd. Apt 4, Boise, ID 83702\",\"22 Oak St., Suite 9\"\n"_s;
    expectRoundTrip(csv);
    ProjectKey key = freshKey();
    const Texts copy = texts(swapped(Spreadsheet(csv.toUtf8(), u"streets.csv"_s), key));
    EXPECT_TRUE(copy.at(1).at(1).endsWith(u". Then called."_s)) << copy.at(1).at(1).toStdString();
    EXPECT_EQ(key.valueCount(), 4); // two streets, a town and a ZIP code
}
