// Real exports write one person's name in several cases: title case in one
// row, capitals in the next, lower case in a note. Every spelling must come back.
#include "kit/files/Spreadsheet.h"
#include "kit/restore/Restorer.h"
#include "kit/swap/Scan.h"
#include "kit/swap/Scrubber.h"

#include <gtest/gtest.h>

#include <random>

using namespace quorvane;
using namespace Qt::StringLiterals;

namespace {

using Rows = QList<QStringList>;

const QStringList firstNames{u"Emeka"_s, u"Rose"_s, u"Tariq"_s, u"Anjali"_s, u"Greta"_s, u"Omar"_s, u"Mei"_s,
                             u"Sofia"_s, u"Liam"_s, u"Ines"_s, u"Brighton"_s, u"Audrey"_s, u"Kenji"_s, u"Ngozi"_s};
const QStringList lastNames{u"Akana"_s, u"García"_s, u"Zhang"_s, u"Malmqvist"_s, u"Ridley"_s, u"Nelson"_s,
                            u"O'Brien"_s, u"Novak"_s, u"Green"_s, u"Haddad"_s, u"Okonjo"_s, u"Dunmore"_s};
const QStringList towns{u"Springfield"_s, u"Tacoma"_s, u"Eugene"_s, u"Boise"_s, u"Fargo"_s, u"Duluth"_s};

class Generator
{
public:
    explicit Generator(unsigned seed) : m_random(seed) {}

    QString pick(const QStringList &list) { return list.at(int(m_random() % list.size())); }
    QString cased(const QString &text)
    {
        switch (m_random() % 4) {
        case 0: return text.toUpper();
        case 1: return text.toLower();
        default: return text;
        }
    }

    QStringList row(int id)
    {
        const QString first = pick(firstNames), last = pick(lastNames), town = pick(towns);
        const QString person = first + u' ' + last;
        return {QString::number(id), cased(person), cased(first), cased(last),
                u"Moved to "_s + cased(town) + u"; call "_s + cased(person) + u" or "_s + cased(pick(firstNames))
                    + u' ' + cased(pick(lastNames)) + u" about it."_s,
                last + u" Plumbing LLC"_s};
    }

private:
    std::mt19937 m_random;
};

QString csvText(const Rows &rows)
{
    QString text = u"ID,Full name,First name,Last name,Notes,Company\n"_s;
    for (const QStringList &row : rows) {
        QStringList fields;
        for (const QString &field : row)
            fields.append(field.contains(u',') ? u'"' + field + u'"' : field);
        text += fields.join(u',') + u'\n';
    }
    return text;
}

Rows dataRows(const Spreadsheet &sheet)
{
    Rows rows;
    const auto grid = sheet.grid(0);
    for (qsizetype r = 1; r < grid.size(); ++r) {
        QStringList cells;
        for (const GridCell &cell : grid.at(r))
            cells.append(cell.text);
        rows.append(cells);
    }
    return rows;
}

} // namespace

TEST(CasingRoundTrip, EveryCellComesBackInItsOwnCase)
{
    for (unsigned seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(seed);
        Generator generate(seed);
        Rows original;
        for (int id = 0; id < 150; ++id)
            original.append(generate.row(id));
        const Spreadsheet file(csvText(original).toUtf8(), u"people.csv"_s);
        ProjectKey key(u"Casing"_s, QUuid(), QDateTime(), QByteArray(32, char(seed)));
        const Spreadsheet copy(Scrubber::apply(scan(file, key, {}), file, key, {}).data, u"people.csv"_s);
        const Rows swapped = dataRows(copy);
        EXPECT_NE(swapped, original);
        EXPECT_EQ(dataRows(Spreadsheet(Restorer(key).restore(copy).data, u"x.csv"_s)), original);

        // The contractor sorts the rows and rewrites one note; the rest still comes back.
        Rows returned = swapped, expected = original;
        std::reverse(returned.begin(), returned.end());
        std::reverse(expected.begin(), expected.end());
        returned[0][4] = expected[0][4] = u"Closed."_s;
        const Spreadsheet edited(csvText(returned).toUtf8(), u"returned.csv"_s);
        EXPECT_EQ(dataRows(Spreadsheet(Restorer(key).restore(edited).data, u"x.csv"_s)), expected);
    }
}

// A word that the key already hands out as a stand-in ("moreau", for someone of
// an earlier file) can be a real word of the next file; it must come back as
// written, not as that other person.
TEST(CasingRoundTrip, WordsThatAreStandInsOfAnEarlierFileComeBackAsWritten)
{
    Generator generate(7);
    Rows earlier;
    for (int id = 0; id < 20; ++id)
        earlier.append(generate.row(id));
    ProjectKey key(u"Earlier"_s, QUuid(), QDateTime(), QByteArray(32, '\x11'));
    const Spreadsheet first(csvText(earlier).toUtf8(), u"first.csv"_s);
    Scrubber::apply(scan(first, key, {}), first, key, {});

    Rows next;
    for (const ProjectKey::Entry &entry : key.entries()) {
        if (entry.kind != EntryKind::lastName || next.size() == 5)
            continue;
        const QString word = entry.standIn;
        next.append({QString::number(next.size()), u"Ana Ruiz"_s, u"Ana"_s, u"Ruiz"_s,
                     u"cc "_s + word.toLower() + u" and "_s + word.toUpper() + u" on all orders"_s, u"Acme LLC"_s});
    }
    ASSERT_EQ(next.size(), 5);
    const Spreadsheet second(csvText(next).toUtf8(), u"second.csv"_s);
    const Spreadsheet copy(Scrubber::apply(scan(second, key, {}), second, key, {}).data, u"second.csv"_s);
    EXPECT_EQ(dataRows(Spreadsheet(Restorer(key).restore(copy).data, u"x.csv"_s)), next);
}
