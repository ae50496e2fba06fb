#pragma once

#include <QString>
#include <QStringView>

#include <vector>

namespace quorvane {

// The restored texts of columns whose cells repeat (states, companies,
// templated notes), so that each different text is restored once. A column
// whose texts are mostly new soon stops being remembered, so that it costs
// no more than a count per cell.
class RepeatedCells
{
public:
    struct Restored
    {
        int count = 0;
        // Empty when the text restores nothing.
        QString text;
    };

    // What the text restored to before in the column, or nothing.
    const Restored *find(int column, const QString &text);
    // What a text just restored to, kept if its column still repeats.
    void remember(int column, const QString &text, int count, QStringView restored);

private:
    // Open addressing over the texts' hashes: a column repeats a few dozen
    // texts or a few thousand, and a lookup is made for each of its cells.
    struct Slot
    {
        size_t hash = 0;
        QString text;
        Restored restored;
        bool used = false;
    };
    struct Column
    {
        std::vector<Slot> slots;
        qsizetype held = 0;
        qsizetype looked = 0;
        qsizetype missed = 0;
        bool off = false;
    };
    Column *columnAt(int column);
    static Slot &slotFor(Column &column, const QString &text, size_t hash);

    std::vector<Column> m_columns;
    qsizetype m_restoredUnits = 0;
};

} // namespace quorvane
