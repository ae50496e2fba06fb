#pragma once

#include "kit/CellRef.h"
#include "kit/TextRange.h"

#include <QList>
#include <QString>

#include <span>
#include <utility>

namespace quorvane {

// One replacement inside one text.
struct Planned
{
    TextRange range; // UTF-16 range within the cell text
    QString item;    // the review item's id
    QString text;    // what goes there
    friend bool operator==(const Planned &, const Planned &) = default;
};

// The replacements of a file's cells, held in one array in cell order: a large
// file has hundreds of thousands, and a list per cell in a table costs more
// than the replacements themselves. Within a cell they keep the order planned.
class CellPlans
{
public:
    // Adds one replacement to the last cell, or to a new cell after it.
    void append(const CellRef &cell, Planned planned);
    // Sets a cell's replacements, wherever the cell lies.
    void insert(const CellRef &cell, const QList<Planned> &plans);
    // Takes replacements already in cell order, with the number of each
    // cell's; the cells are given in order and each has at least one.
    void assign(QList<Planned> plans, const QList<std::pair<CellRef, qsizetype>> &counts);

    // The cell's replacements; empty when it has none.
    std::span<const Planned> at(const CellRef &cell) const;
    // The index of the first cell not before the one given: size() when none is.
    qsizetype firstNotBefore(const CellRef &cell) const;

    qsizetype size() const { return m_cells.size(); } // cells with replacements
    bool isEmpty() const { return m_cells.isEmpty(); }
    const CellRef &cell(qsizetype index) const { return m_cells.at(index).ref; }
    std::span<const Planned> plans(qsizetype index) const;

private:
    struct Cell
    {
        CellRef ref;
        qsizetype end; // one past the cell's last replacement in m_plans
    };

    qsizetype start(qsizetype index) const { return index == 0 ? 0 : m_cells.at(index - 1).end; }

    QList<Planned> m_plans;
    QList<Cell> m_cells;
};

} // namespace quorvane
