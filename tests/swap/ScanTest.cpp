#include "kit/files/Spreadsheet.h"
#include "kit/swap/Scan.h"
#include "kit/swap/StandInPlan.h"
#include "tests/FileBytes.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <QScopeGuard>

using namespace quorvane;
using namespace Qt::StringLiterals;

namespace {

ProjectKey emptyKey()
{
    return ProjectKey(u"Test"_s, QUuid(), QDateTime(), QByteArray(32, '\x07'));
}

Scan scanCsv(const QString &text, const ScanOptions &options = {}, const ProjectKey &key = emptyKey())
{
    return scan(Spreadsheet(text.toUtf8(), u"people.csv"_s), key, options);
}

const ReviewItem *item(const Scan &scan, const QString &id)
{
    for (const ReviewItem &candidate : scan.items)
        if (candidate.id() == id)
            return &candidate;
    return nullptr;
}

} // namespace

TEST(Scan, HeaderRowIsTheFirstRowWithTextAndBlankRowsAreNotCounted)
{
    const Scan result = scanCsv(u"\n,\nName,Email,Plan\nMaria Lopez,maria.lopez@acme.com,Pro\n\nTom Reyes,tom@acme.com,Basic\n"_s);
    EXPECT_EQ(result.dataRows, 2);
    EXPECT_EQ(result.headers.value({0, 0}), u"Name");
    EXPECT_EQ(result.columns.value({0, 1}), ColumnKind::email);
    EXPECT_TRUE(result.guessed.contains({0, 0}));
    EXPECT_EQ(scanCsv(u" ,  \n,,\n"_s).dataRows, 0);

    ScanOptions noHeader;
    noHeader.headerRow = false;
    noHeader.columnKinds.insert({0, 0}, ColumnKind::fullName);
    const Scan plain = scanCsv(u"Maria Lopez,x\nTom Reyes,y\n"_s, noHeader);
    EXPECT_FALSE(plain.guessed.contains({0, 0}));
    EXPECT_EQ(plain.items.size(), 2);
}

TEST(Scan, OneValueWrittenDifferentlyIsOneItemWithOneStandIn)
{
    const Scan result = scanCsv(u"Name,Phone\nMaria Lopez,+1 (415) 555-2841\nmaria  lopez,415.555.2841\n"_s);
    ASSERT_EQ(result.items.size(), 2);
    const ReviewItem &name = result.items.at(0);
    EXPECT_EQ(std::tuple(name.id(), name.count, name.firstCell), std::tuple(u"name|maria lopez"_s, 2, CellRef{0, 1, 0}));
    EXPECT_EQ(std::pair(result.items.at(1).id(), result.items.at(1).count), std::pair(u"phone|4155552841"_s, 2));

    // The second spelling gets the same stand-in, in its own case and layout.
    const QString standIn = result.textOf(result.planned.at({0, 1, 0}).front());
    EXPECT_EQ(result.textOf(result.planned.at({0, 2, 0}).front()), standIn.toLower().replace(u' ', u"  "_s));
    const QString phoneDigits = result.textOf(result.planned.at({0, 2, 1}).front());
    EXPECT_TRUE(phoneDigits.contains(u"555.01"_s)) << phoneDigits.toStdString();
    EXPECT_TRUE(result.textOf(result.planned.at({0, 1, 1}).front()).startsWith(u"+1 ("_s));

    // Each spelling lists the entries it relies on, first name before last name.
    const QList<ProjectKey::Entry> entries = result.entries.at(0);
    ASSERT_EQ(entries.size(), 4);
    EXPECT_EQ(std::pair(entries.at(0).kind, entries.at(1).kind), std::pair(EntryKind::firstName, EntryKind::lastName));
}

// A later spelling the key prefers is taken into the key, while an item met
// before keeps the spelling it relied on: a writer that leaves the later item
// out records the first.
TEST(Scan, AnItemKeepsItsSpellingThoughALaterOneRespellsTheKey)
{
    const Scan result = scanCsv(u"Name\nAnn MACDONALD\nBob MacDonald\nCy MacDonald\n"_s);
    ASSERT_EQ(result.items.size(), 3);
    QStringList lastNames;
    for (qsizetype i = 0; i < result.items.size(); ++i)
        lastNames.append(result.entries.at(i).last().real);
    EXPECT_EQ(lastNames, QStringList({u"MACDONALD"_s, u"MacDonald"_s, u"MacDonald"_s}));
    ASSERT_TRUE(result.plannedKey.has_value());
    EXPECT_TRUE(result.plannedKey->entryForReal(u"macdonald", EntryKind::lastName)->real == u"MacDonald");
}

TEST(Scan, KnownValuesKeepTheirStandInsAndTheKeyIsLeftAlone)
{
    ProjectKey key = emptyKey();
    key.record({EntryKind::firstName, u"Maria"_s, u"Zelda"_s});
    key.record({EntryKind::lastName, u"Lopez"_s, u"Okafor"_s});
    key.record({EntryKind::email, u"MARIA@acme.com"_s, u"zelda.okafor@example.com"_s});
    const ProjectKey before = key;

    const Scan result = scanCsv(u"Name,Email,Other\nMaria Lopez,MARIA@ACME.COM,x\nTom Reyes,TOM@ACME.COM,y\n"_s, {}, key);
    const auto known = [&](const QString &id) {
        const ReviewItem *found = item(result, id);
        return found ? std::pair(found->alreadyInKey, found->standIn) : std::pair(false, u"<missing>"_s);
    };
    EXPECT_EQ(known(u"name|maria lopez"_s), std::pair(true, u"Zelda Okafor"_s));
    // All capitals in the file: the stand-in is written in capitals too.
    EXPECT_EQ(known(u"email|maria@acme.com"_s), std::pair(true, u"ZELDA.OKAFOR@EXAMPLE.COM"_s));
    const auto [tomKnown, tomStandIn] = known(u"email|tom@acme.com"_s);
    EXPECT_FALSE(tomKnown);
    EXPECT_EQ(tomStandIn, tomStandIn.toUpper());

    EXPECT_EQ(key.entries(), before.entries());
}

TEST(Scan, FreeTextFindsNamesMetElsewhereInTheFile)
{
    ScanOptions options;
    options.columnKinds.insert({0, 1}, ColumnKind::autoDetect);
    const Scan result =
        scanCsv(u"Name,Notes\nMaria Lopez,\"the invoice went to lopez, then Lopez phoned back\"\nTom Reyes,Ask Tom\n"_s, options);
    const auto notes = result.planned.at({0, 1, 1});
    ASSERT_EQ(notes.size(), 1);
    EXPECT_EQ(std::pair(result.items.at(notes.front().item).id(), notes.front().range()),
              std::pair(u"name|lopez"_s, TextRange{32, 37}));
    ASSERT_TRUE(item(result, u"name|lopez"_s) && item(result, u"name|tom"_s));
    // A note of fewer than four words is not free text.
    EXPECT_EQ(std::pair(item(result, u"name|lopez"_s)->inFreeText, item(result, u"name|tom"_s)->inFreeText),
              std::pair(true, false));
    EXPECT_EQ(result.freeTextCells, 1);
}

// Greek capitals drop the accents and have no final sigma: "ΝΙΚΟΣ" is still
// the "Νίκος" of another cell.
TEST(Scan, FreeTextFindsGreekNamesWrittenInCapitals)
{
    ScanOptions options;
    options.columnKinds.insert({0, 1}, ColumnKind::autoDetect);
    const Scan result = scanCsv(
        u"Name,Notes\nΝίκος Παπαδόπουλος,x\nΕλένη Γεωργίου,Τηλεφώνησε ο ΝΙΚΟΣ ΠΑΠΑΔΟΠΟΥΛΟΣ για την παραγγελία\n"_s,
        options);
    const auto notes = result.planned.at({0, 2, 1});
    ASSERT_EQ(notes.size(), 1);
    EXPECT_EQ(notes.front().range(), (TextRange{13, 31}));
}

// A note repeated down its column gains the names met elsewhere in every row
// alike, whether it gains more findings than the detector gave it or none.
TEST(Scan, ARepeatedNoteGainsTheSameNamesInEveryRow)
{
    struct Case
    {
        QString note;
        qsizetype plansPerNote;
        int countOfEach; // occurrences in the file of each value the notes plan
    };
    const Case cases[] = {
        {u"the invoice went to lopez, then Lopez phoned back"_s, 1, 3},
        {u"Maria Lopez and Tom Reyes asked for the renewal twice"_s, 2, 4},
        {u"no answer yet, left a voicemail for the team"_s, 0, 0},
        {u"the invoice for reyes was paid, then Reyes phoned back"_s, 2, 6},
        {u"Invoice to lopez, paid in full by lopez"_s, 2, 6},
        {u"the invoice for zorbat quenlin was paid in full"_s, 1, 4},
    };
    for (const Case &c : cases) {
        ScanOptions options;
        options.columnKinds.insert({0, 1}, ColumnKind::autoDetect);
        QString csv = u"Name,Notes\n"_s;
        for (const QString &name : {u"Maria Lopez"_s, u"Tom Reyes"_s, u"Zorbat Quenlin"_s})
            csv += name + u",\""_s + c.note + u"\"\n"_s;
        const Scan result = scanCsv(csv, options);
        // Each row's plans, as what goes where: a respelling has a number of its own in each.
        const auto written = [&](int row) {
            QList<std::tuple<TextRange, qsizetype, QString>> plans;
            for (const Scan::Planned &plan : result.planned.at({0, row, 1}))
                plans.append({plan.range(), plan.item, result.textOf(plan)});
            return plans;
        };
        EXPECT_EQ(written(1).size(), c.plansPerNote) << c.note.toStdString();
        EXPECT_EQ(written(2), written(1)) << c.note.toStdString();
        EXPECT_EQ(written(3), written(1)) << c.note.toStdString();
        const auto first = result.planned.at({0, 1, 1});
        for (const Scan::Planned &plan : first)
            EXPECT_EQ(result.items.at(plan.item).count, c.countOfEach) << c.note.toStdString();
    }
}

// A value met again takes its first occurrence's stand-in only when its
// parts are alike too: "Jordan" as a first name and as a last name is one
// item, which relies on an entry for each role.
TEST(Scan, AValueMetAgainWithOtherPartsIsPlannedAgain)
{
    struct Case
    {
        ColumnKind second;
        QList<EntryKind> entries;
    };
    const Case cases[] = {
        {ColumnKind::firstName, {EntryKind::firstName}},
        {ColumnKind::lastName, {EntryKind::firstName, EntryKind::lastName}},
    };
    for (const Case &c : cases) {
        ScanOptions options;
        options.columnKinds.insert({0, 0}, ColumnKind::firstName);
        options.columnKinds.insert({0, 1}, c.second);
        const Scan result = scanCsv(u"Given,Other\nJordan,Jordan\nJordan,Jordan\n"_s, options);
        ASSERT_EQ(result.items.size(), 1);
        EXPECT_EQ(result.items.front().count, 4);
        QList<EntryKind> kinds;
        for (const ProjectKey::Entry &entry : result.entries.at(0))
            kinds.append(entry.kind);
        EXPECT_EQ(kinds, c.entries) << rawString(c.second).toStdString();
    }
}

// Planning lists a large file's findings while it lets go of those already
// listed; a note that gains a name known from a later row keeps its findings
// apart from the rows after it.
TEST(Scan, ANoteThatGainsANameAheadOfManyRowsIsPlannedWithThemAll)
{
    ScanOptions options;
    options.columnKinds.insert({0, 0}, ColumnKind::fullName);
    options.columnKinds.insert({0, 1}, ColumnKind::autoDetect);
    QString csv = u"Name,Notes\n,\"the invoice for zorbat quenlin was paid in full\"\n"_s;
    constexpr int rows = 40000;
    for (int row = 0; row < rows; ++row)
        csv += u"Zorbat Quenlin,\n"_s;
    const Scan result = scanCsv(csv, options);
    ASSERT_EQ(result.items.size(), 1);
    EXPECT_EQ(result.items.front().count, rows + 1);
    EXPECT_EQ(result.planned.size(), rows + 1);
    EXPECT_EQ(result.planned.at({0, 1, 1}).size(), 1);
}

TEST(Scan, WordsThatAreAlreadyStandInsAreConflicts)
{
    ProjectKey key = emptyKey();
    key.record({EntryKind::firstName, u"Maria"_s, u"Zelda"_s});
    key.record({EntryKind::city, u"Salem"_s, u"Cedarhaven"_s});
    ScanOptions options;
    options.columnKinds.insert({0, 1}, ColumnKind::skip);
    EXPECT_EQ(scanCsv(u"Name,Team\nMaria Lopez,zelda and CEDARHAVEN\n"_s, options, key).conflicts,
              (QStringList{u"Cedarhaven"_s, u"Zelda"_s}));
    // Swapped where it is a name, kept where the column is left alone.
    EXPECT_EQ(scanCsv(u"Name,Team\nZelda Lopez,zelda\nAnn Ray,\n"_s, options, key).conflicts, QStringList{u"Zelda"_s});
    EXPECT_EQ(scanCsv(u"Name,Team\nZelda Lopez,red\n"_s, options, key).conflicts, QStringList());
}

TEST(Scan, PhoneNumbersStoredAsNumbersAreCountedPerColumn)
{
    const Spreadsheet workbook(test::readBytes(QStringLiteral(QUORVANE_TEST_DATA "/swap/mobile-numbers.xlsx")),
                               u"mobile-numbers.xlsx"_s);
    // The count is written in the user's locale; the other tests keep theirs.
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const auto restoreLocale = qScopeGuard([&] { QLocale::setDefault(before); });

    const Scan withHeader = scan(workbook, emptyKey(), {});
    ASSERT_FALSE(withHeader.warnings.isEmpty());
    EXPECT_EQ(withHeader.warnings.last(),
              u"12 phone numbers in “Mobile” are stored as numbers, which aren’t changed. In Excel, format "
              u"that column as Text and type them again, or save the sheet as CSV.");

    ScanOptions noHeader;
    noHeader.headerRow = false;
    noHeader.columnKinds.insert({0, 2}, ColumnKind::phone);
    const Scan byLetters = scan(workbook, emptyKey(), noHeader);
    ASSERT_FALSE(byLetters.warnings.isEmpty());
    EXPECT_TRUE(byLetters.warnings.last().startsWith(u"12 phone numbers in “C”"_s));
    for (qsizetype i = 0; i < byLetters.planned.size(); ++i)
        EXPECT_NE(byLetters.planned.cell(i).column, 2);
}

TEST(StandInPlan, PhoneStandInsFollowTheRealLayout)
{
    // Layouts with as many digits are copied; others fall back to the US form.
    EXPECT_EQ(StandInPlan::phoneLayout(u"2125550142"_s, u"+1 415 867 5309"_s), u"+1 212 555 0142");
    EXPECT_EQ(StandInPlan::phoneLayout(u"2125550142"_s, u"+44 20 7946 0958"_s), u"+1 212-555-0142");
    EXPECT_EQ(StandInPlan::phoneLayout(u"5550142"_s, u"23 45 67 89"_s), u"555-0142");
    // A leading 1 of eleven digits is kept; eleven digits after another digit are not a US number.
    EXPECT_EQ(StandInPlan::phoneLayout(u"2125550142"_s, u"1-415-867-5309"_s), u"1-212-555-0142");
    EXPECT_EQ(StandInPlan::phoneLayout(u"2125550142"_s, u"+34 612 345 678"_s), u"+1 212-555-0142");
}

// Each part of a name is replaced where it stands, whatever order the
// parts are listed in.
TEST(StandInPlan, NamePartsAreReplacedInPlace)
{
    ProjectKey key = emptyKey();
    const QString text = u"Torres, Genesis M."_s;
    const NamePart first{{8, 15}, u"Genesis"_s, NameRole::first};
    const NamePart last{{0, 6}, u"Torres"_s, NameRole::last};
    for (const QList<NamePart> &parts : {QList<NamePart>{last, first}, QList<NamePart>{first, last}}) {
        const Finding name{ValueKind::name, {0, text.size()}, text, parts, {}};
        const QString planned = StandInPlan::of(name, key, {}).text;
        EXPECT_EQ(planned, *key.storedSubstitute(u"Torres"_s, EntryKind::lastName) + u", "_s
                               + *key.storedSubstitute(u"Genesis"_s, EntryKind::firstName) + u" M."_s);
    }
}

TEST(StandInPlan, AddressesKeepTheUnitAndTheStateAndSearchInOrder)
{
    EXPECT_EQ(StandInPlan::streetWithoutUnit(u"9 Elm Rd #12"_s), u"9 Elm Rd");
    EXPECT_EQ(StandInPlan::streetWithoutUnit(u"12 Suiter Road"_s), u"12 Suiter Road");
    for (const QString &unit : {u"APT 4"_s, u"Apartment 2"_s, u"suite 100"_s, u"Ste 5"_s, u"Unit B"_s, u"# 3"_s, u"Fl 2"_s,
                                u"floor 7"_s, u"Rm 12"_s, u"ROOM 9"_s, u"ſte 5"_s})
        EXPECT_EQ(StandInPlan::streetWithoutUnit(u"9 Elm Rd, "_s + unit), u"9 Elm Rd") << unit.toStdString();

    ProjectKey key = emptyKey();
    Finding address{ValueKind::address, {0, 40}, u"12 Portland Ave, Unit 3, Portland, OR 97205"_s, {},
                    AddressParts{u"12 Portland Ave, Unit 3"_s, u"Portland"_s, u"OR"_s, u"97205"_s}};
    const StandInPlan plan = StandInPlan::of(address, key, {});
    ASSERT_EQ(plan.entries.size(), 3);
    const QString street = *key.storedSubstitute(u"12 Portland Ave"_s, EntryKind::street);
    const QString city = *key.storedSubstitute(u"Portland"_s, EntryKind::city);
    const QString zip = *key.storedSubstitute(u"97205"_s, EntryKind::zip);
    EXPECT_EQ(plan.text, street + u", Unit 3, "_s + city + u", OR "_s + zip);
}

// Company words, state codes and postal codes look like names or phones to
// the finders; none of them may be swapped as one.
TEST(Scan, CompaniesStateCodesAndPostalCodesAreLeftAlone)
{
    const Scan result = scanCsv(u"Name,Company,State,ZIP,Notes\n"
                                "Maria Lopez,Mountain Dental Co.,CO,11325-7477,Maria Lopez of Green Granite LLC called back\n"
                                "Al Green,Lakeside Lakeside Corp.,AL,02139,Ask Al Green about Green Granite Group\n"_s);
    for (qsizetype i = 0; i < result.planned.size(); ++i) {
        const CellRef &at = result.planned.cell(i);
        EXPECT_TRUE(at.column == 0 || at.column == 4) << at.row << ":" << at.column;
    }
    QStringList ids;
    for (const ReviewItem &found : result.items)
        ids.append(found.id());
    EXPECT_EQ(ids, (QStringList{u"name|maria lopez"_s, u"name|al green"_s}));
    // Green in the company names stays, the person Al Green in the note does not.
    EXPECT_EQ(result.planned.at({0, 2, 4}).size(), 1u);
    EXPECT_EQ(result.planned.at({0, 1, 4}).size(), 1u);
}

// Values written with other spacing or case are one item; the id of an ASCII
// text is built without the general rule, which text outside ASCII still takes.
TEST(Scan, ItemIdsFoldCaseAndSpacing)
{
    const struct
    {
        ValueKind kind;
        QString text;
        QString id;
    } cases[] = {
        {ValueKind::name, u"  Maria \t LOPEZ\n"_s, u"name|maria lopez"_s},
        {ValueKind::name, u"Ana\r\nde  Souza"_s, u"name|ana de souza"_s},
        {ValueKind::name, u"\x1fZoe"_s, u"name|\x1fzoe"_s}, // a control character is not a space
        {ValueKind::name, u"ÉMILE\u00a0 Roy"_s, u"name|émile roy"_s},
        {ValueKind::address, u" 12 Pine  Ave, Boston "_s, u"address|12 pine ave, boston"_s},
        {ValueKind::email, u" Maria.Lopez@ACME.com\t"_s, u"email|maria.lopez@acme.com"_s},
        {ValueKind::email, u"a  b@x.org"_s, u"email|a  b@x.org"_s}, // inner spaces stay in an address
        {ValueKind::phone, u"+1 (415) 555-0142"_s, u"phone|4155550142"_s},
    };
    for (const auto &c : cases) {
        Finding finding;
        finding.kind = c.kind;
        finding.text = c.text;
        EXPECT_EQ(itemID(finding), c.id) << qPrintable(c.text);
    }
}
