#pragma once

#include "kit/CellRef.h"
#include "kit/TextRange.h"

#include <QList>

#include <cstdint>
#include <span>
#include <utility>

namespace quorvane {

// One replacement inside one text. A large file plans hundreds of thousands,
// so each names its review item by index rather than by id, keeps its range
// in 32 bits (no text a file holds in one cell comes near that long), and
// names its text too: nearly always its item's stand-in, else one of the
// scan's respellings.
struct Planned
{
    Planned() = default;
    Planned(const TextRange &range, qsizetype item, qsizetype respelling = -1)
        : start(int32_t(range.start)), end(int32_t(range.end)), item(int32_t(item)), respelling(int32_t(respelling))
    {
    }

    TextRange range() const { return {start, end}; } // UTF-16 range within the cell text

    int32_t start = 0;
    int32_t end = 0;
    int32_t item = -1;       // the review item's index among the scan's items
    int32_t respelling = -1; // what goes there among the scan's respellings; -1: the item's stand-in
    friend bool operator==(const Planned &, const Planned &) = default;
};
static_assert(sizeof(Planned) == 16);

// The replacements of a file's cells, held in one array in cell order: a large
// file has hundreds of thousands, and a list per cell in a table costs more
// than the replacements themselves. Within a cell they keep the order planned.
class CellPlans
{
public:
    // As many as the file has cells with replacements, so kept to 16 bytes.
    struct Cell
    {
        Cell() = default;
        Cell(const CellRef &ref, qsizetype end) : ref(ref), end(int32_t(end)) {}

        CellRef ref;
        int32_t end = 0; // one past the cell's last replacement
    };

    // Sets a cell's replacements, wherever the cell lies.
    void insert(const CellRef &cell, const QList<Planned> &plans);
    // Takes replacements already in cell order, and the cells in order,
    // each with at least one.
    void assign(QList<Planned> plans, QList<Cell> cells);

    // The cell's replacements; empty when it has none.
    std::span<const Planned> at(const CellRef &cell) const;
    // The index of the first cell not before the one given: size() when none is.
    qsizetype firstNotBefore(const CellRef &cell) const;

    qsizetype size() const { return m_cells.size(); } // cells with replacements
    bool isEmpty() const { return m_cells.isEmpty(); }
    const CellRef &cell(qsizetype index) const { return m_cells.at(index).ref; }
    std::span<const Planned> plans(qsizetype index) const;

private:
    qsizetype start(qsizetype index) const { return index == 0 ? 0 : m_cells.at(index - 1).end; }

    QList<Planned> m_plans;
    QList<Cell> m_cells;
};

} // namespace quorvane
