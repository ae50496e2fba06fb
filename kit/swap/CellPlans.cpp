#include "kit/swap/CellPlans.h"

#include <algorithm>

namespace quorvane {

void CellPlans::insert(const CellRef &cell, const QList<Planned> &plans)
{
    const qsizetype index = firstNotBefore(cell);
    const bool present = index < m_cells.size() && m_cells.at(index).ref == cell;
    const qsizetype from = start(index);
    const qsizetype removed = present ? m_cells.at(index).end - from : 0;
    m_plans.remove(from, removed);
    m_plans.insert(from, plans.size(), Planned());
    std::copy(plans.cbegin(), plans.cend(), m_plans.begin() + from);
    if (!present)
        m_cells.insert(index, {cell, from});
    for (qsizetype i = index + (present ? 0 : 1); i < m_cells.size(); ++i)
        m_cells[i].end += plans.size() - removed;
    if (!present)
        m_cells[index].end = from + plans.size();
    if (plans.isEmpty())
        m_cells.remove(index);
}

void CellPlans::assign(QList<Planned> plans, QList<Cell> cells)
{
    m_plans = std::move(plans);
    m_cells = std::move(cells);
}

std::span<const Planned> CellPlans::at(const CellRef &cell) const
{
    const qsizetype index = firstNotBefore(cell);
    if (index == m_cells.size() || m_cells.at(index).ref != cell)
        return {};
    return plans(index);
}

qsizetype CellPlans::firstNotBefore(const CellRef &cell) const
{
    const auto found = std::lower_bound(m_cells.cbegin(), m_cells.cend(), cell,
                                        [](const Cell &c, const CellRef &to) { return c.ref < to; });
    return found - m_cells.cbegin();
}

std::span<const Planned> CellPlans::plans(qsizetype index) const
{
    const qsizetype from = start(index);
    return {m_plans.constData() + from, size_t(m_cells.at(index).end - from)};
}

} // namespace quorvane
