#include "../find/FakeTextServices.h"
#include "SheetFixtures.h"

#include "kit/suggest/NameWords.h"
#include "kit/swap/ScanOptions.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quorvane;
using SecondOpinion::Found;

namespace {

FakeTextServices people(const QStringList &names)
{
    FakeTextServices services;
    services.names = QSet<QString>(names.cbegin(), names.cend());
    return services;
}

QStringList tagged(const QString &text, const FakeTextServices &services)
{
    SecondOpinion::Taggers taggers(services);
    return textsOf(text, SecondOpinion::tagNames(text, taggers));
}

// The whole trimmed text of each listed row of a column, as found names.
QList<Found> foundIn(const Spreadsheet &sheet, const Scan &scan, int column, const QList<int> &rows)
{
    const Grid grid = sheet.grid(0);
    QList<Found> found;
    for (int row : rows) {
        const QString text = grid.at(row).at(column).text;
        const SecondOpinion::Cell cell{CellRef{0, row, column}, scan.headers.value({0, column}), text, {}};
        found.append({cell, trimmedRange(text)});
    }
    return found;
}

} // namespace

TEST(NameWords, TitleCasingKeepsEveryOffset)
{
    EXPECT_EQ(NameWords::titleCased(u"o'neil mary-JANE d’arcy ÉMILE"_s), u"O'neil Mary-Jane D’arcy Émile"_s);
    // ß has no one-letter capital; the emoji is two code units and no letter.
    EXPECT_EQ(NameWords::titleCased(u"ßen 🙂ana"_s), u"ßen 🙂Ana"_s);
}

TEST(TagNames, ShortTextsAreReadAsASentenceOfTheirOwn)
{
    const FakeTextServices services = people({u"Ana"_s, u"Ruiz"_s, u"Said"_s, u"Hello"_s});
    // "Said" joins the name and is cut at the end of the text; "Hello" lies beyond it.
    EXPECT_EQ(tagged(u"ana"_s, services), QStringList{u"ana"_s});
    EXPECT_EQ(services.taggedTexts.last(), u"Ana said hello."_s);
    EXPECT_EQ(tagged(u"  ana ruiz "_s, services), QStringList{u"ana ruiz"_s});
    EXPECT_EQ(tagged(u"!!"_s, services), QStringList{});
}

TEST(TagNames, LongTextsRaiseNamesAfterLeadWordsAndSkipShouting)
{
    FakeTextServices services = people({u"Dmitri"_s, u"Volkov"_s, u"Ana"_s, u"Ruiz"_s, u"Bright"_s});
    const QString note = u"left a message for dmitri volkov, call back after 3"_s;
    EXPECT_EQ(tagged(note, services), QStringList{u"dmitri volkov"_s});
    EXPECT_EQ(services.taggedTexts.last(), u"left a message for Dmitri Volkov, call back after 3"_s);

    EXPECT_EQ(tagged(u"asked Dr Ana Ruiz about the invoice"_s, services), QStringList{u"Ana Ruiz"_s})
        << "a title in front is trimmed away";

    services.taggedTexts.clear();
    EXPECT_EQ(tagged(u"CALL ANA RUIZ ABOUT THE INVOICE"_s, services), QStringList{});
    EXPECT_TRUE(services.taggedTexts.isEmpty());

    services.classes.insert(u"bright"_s, LexicalClass::adjective);
    EXPECT_EQ(tagged(u"the Bright side of the moon"_s, services), QStringList{});
}

TEST(SecondOpinionCells, TakesUncoveredFreeTextCellsOnly)
{
    const Spreadsheet sheet = csvSheet({
        u"Name,Notes,Company,Memo,Extra"_s,
        u"Ana Ruiz,Bo Lee,Acme Bo,  ,x"_s,
        u"Cy Dunn,call Bo Lee,Acme,hi Bo,y"_s,
    });
    Scan scan = guessedScan(sheet, {ColumnKind::fullName, ColumnKind::autoDetect, ColumnKind::autoDetect,
                                    ColumnKind::autoDetect, ColumnKind::autoDetect});
    scan.columns.remove({0, 4}); // a column the scan has no kind for
    scan.planned.insert({0, 1, 1}, {Scan::Planned{{0, 6}, 0}});
    scan.planned.insert({0, 2, 1}, {Scan::Planned{{5, 11}, 0}});

    const QList<SecondOpinion::Cell> cells = SecondOpinion::cells(sheet, scan, true);
    ASSERT_EQ(cells.size(), 2);
    EXPECT_EQ(cells[0], (SecondOpinion::Cell{{0, 2, 1}, u"Notes"_s, u"call Bo Lee"_s, {{5, 11}}}));
    EXPECT_EQ(cells[1].ref, (CellRef{0, 2, 3}));

    // Without a header row the first row is data and its free-text cells count.
    const QList<SecondOpinion::Cell> all = SecondOpinion::cells(sheet, guessedScan(sheet, {ColumnKind::autoDetect}, false), false);
    ASSERT_EQ(all.size(), 3);
    EXPECT_EQ(all[0].text, u"Name"_s);
}

TEST(TaggerSuggestions, TagsAtMostFiveThousandCells)
{
    const Spreadsheet sheet = csvSheet(QStringList{u"Notes"_s} + QStringList(5003, u"met Ana"_s));
    const Scan scan = guessedScan(sheet, {ColumnKind::autoDetect});
    const FakeTextServices services = people({u"Ana"_s});

    const QList<NameSuggestion> list = SecondOpinion::taggerSuggestions(sheet, scan, ScanOptions{}, services);
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list[0].target.cellRefs().last(), (CellRef{0, 5000, 0}));
    EXPECT_EQ(services.taggedTexts.size(), 5000);
}

TEST(BuildSuggestions, SuggestsAColumnOnlyWhenMostCellsAreVariedNames)
{
    // Ten contacts; the first `twoWord` are full names, the rest first names.
    const auto contacts = [](int twoWord) {
        const QStringList full{u"Ana Ruiz"_s, u"Bo Lee"_s, u"Cy Dunn"_s, u"Di Park"_s, u"Ed Moss"_s};
        const QStringList first{u"Ana"_s, u"Bo"_s, u"Cy"_s, u"Di"_s, u"Ed"_s, u"Flo"_s, u"Gus"_s, u"Hal"_s, u"Ivy"_s, u"Jo"_s};
        QStringList rows{u"Id,Contact"_s};
        for (int row = 0; row < 10; ++row)
            rows.append(QString::number(row) + u","_s + (row < twoWord ? full.at(row) : first.at(row)));
        return csvSheet(rows);
    };
    const auto columnFound = [](const Spreadsheet &sheet, const Scan &scan, const ScanOptions &options, QList<int> rows) {
        const QStringList ids = idsOf(SecondOpinion::build(foundIn(sheet, scan, 1, rows), sheet, scan, options,
                                                           NameSuggestion::Source::tagger));
        return ids.contains(u"tagger|column|0|1"_s);
    };
    const Spreadsheet five = contacts(5);
    const Scan scan = guessedScan(five, {ColumnKind::skip, ColumnKind::autoDetect});
    const QList<int> sixRows{1, 2, 3, 4, 5, 6};
    EXPECT_TRUE(columnFound(five, scan, {}, sixRows));
    EXPECT_TRUE(columnFound(five, scan, {}, {1, 2, 3, 4, 5})) << "names in exactly half the cells";
    EXPECT_FALSE(columnFound(five, scan, {}, {1, 2, 3, 4})) << "names in 4 of 10 cells";
    EXPECT_FALSE(columnFound(contacts(4), scan, {}, sixRows)) << "4 of 10 cells with two name words";

    // A column whose kind the user chose is left as it is.
    ScanOptions userSet;
    userSet.columnKinds.insert({0, 1}, ColumnKind::autoDetect);
    EXPECT_FALSE(columnFound(five, scan, userSet, sixRows));

    const Spreadsheet twoValues = csvSheet({u"Id,Contact"_s, u"1,Ana Ruiz"_s, u"2,ana  ruiz"_s, u"3,Bo Lee"_s});
    EXPECT_FALSE(columnFound(twoValues, guessedScan(twoValues, {ColumnKind::skip, ColumnKind::autoDetect}), {}, {1, 2, 3}));
}

TEST(BuildSuggestions, GivesEachNameAndColumnOneStableRecord)
{
    const Spreadsheet sheet = csvSheet({
        u",Notes"_s, u"Ana Ruiz,Bo Lee"_s, u"ana  RUIZ,x"_s, u"Bo Lee,Ana Ruiz"_s, u"Cy Dunn,y"_s,
        u"Di Park,z"_s, u"Ana Ruiz,w"_s,
    });
    const Scan scan = guessedScan(sheet, {ColumnKind::autoDetect, ColumnKind::autoDetect});
    QList<Found> found = foundIn(sheet, scan, 1, {3, 1}) + foundIn(sheet, scan, 0, {1, 2, 3, 4, 5, 6, 6});
    const QList<NameSuggestion> list = SecondOpinion::build(found, sheet, scan, ScanOptions{}, NameSuggestion::Source::model);

    EXPECT_EQ(idsOf(list), (QStringList{u"model|column|0|0"_s, u"model|name|ana ruiz"_s, u"model|name|bo lee"_s,
                                        u"model|name|cy dunn"_s, u"model|name|di park"_s}));
    const NameSuggestion &column = list[0];
    EXPECT_EQ(column.text, u"Column A"_s);
    EXPECT_EQ(column.samples, (QStringList{u"Ana Ruiz"_s, u"ana  RUIZ"_s, u"Bo Lee"_s, u"Cy Dunn"_s}));

    EXPECT_EQ(list[1].text, u"Ana Ruiz"_s);
    EXPECT_EQ(list[1].target.cellRefs(), (QList<CellRef>{{0, 1, 0}, {0, 2, 0}, {0, 3, 1}, {0, 6, 0}}));
    EXPECT_EQ(list[1].samples, (QStringList{u"Ana Ruiz"_s, u"Ana Ruiz"_s, u"ana  RUIZ"_s}));
}

TEST(MergeSuggestions, KeepsTheTaggersOwnHidesDismissedOnesAndApplies)
{
    const auto name = [](const QString &text, NameSuggestion::Source source) {
        return NameSuggestion{rawString(source) + u"|name|"_s + nameKey(text), text,
                              NameSuggestion::Target::cells({{0, 1, 0}}), {}, source};
    };
    const auto column = [](int index, NameSuggestion::Source source) {
        return NameSuggestion{rawString(source) + u"|column|0|"_s + QString::number(index), u"Who"_s,
                              NameSuggestion::Target::column({0, index}), {}, source};
    };
    using S = NameSuggestion::Source;
    const QList<NameSuggestion> tagger{name(u"Ana Ruiz"_s, S::tagger), column(2, S::tagger)};
    const QList<NameSuggestion> model{name(u"ana  ruiz"_s, S::model), column(2, S::model), column(3, S::model),
                                      name(u"Bo"_s, S::model)};
    EXPECT_EQ(idsOf(SecondOpinion::merge(tagger, model)),
              (QStringList{u"tagger|name|ana ruiz"_s, u"tagger|column|0|2"_s, u"model|column|0|3"_s, u"model|name|bo"_s}));
    EXPECT_EQ(idsOf(SecondOpinion::shown(tagger, model, {u"tagger|name|ana ruiz"_s, u"model|name|bo"_s})),
              (QStringList{u"tagger|column|0|2"_s, u"model|column|0|3"_s}));

    // Taking a column suggestion marks the column as full names.
    ScanOptions options;
    column(3, S::model).apply(options);
    EXPECT_EQ(options.columnKinds.value({0, 3}), ColumnKind::fullName);
}
