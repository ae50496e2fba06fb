#include "kit/restore/RestoreAhead.h"

namespace quorvane {

RestoreAhead::RestoreAhead(const Spreadsheet &spreadsheet, RestoreCell restoreCell, qsizetype fewest)
    : m_cells(spreadsheet.offeredCellCount())
{
    if (spreadsheet.kind() != FileKind::csv || m_cells < fewest || std::thread::hardware_concurrency() < 2)
        return;
    m_thread = std::thread([this, &spreadsheet, restoreCell = std::move(restoreCell)] {
        try {
            restore(spreadsheet, restoreCell);
        } catch (...) {
            const std::lock_guard lock(m_mutex);
            m_failure = std::current_exception();
        }
        const std::lock_guard lock(m_mutex);
        m_done = true;
        m_changed.notify_all();
    });
}

RestoreAhead::~RestoreAhead()
{
    // A restore that failed before it took these cells needs none of them.
    {
        const std::lock_guard lock(m_mutex);
        m_stopped = true;
        m_changed.notify_all();
    }
    if (m_thread.joinable())
        m_thread.join();
}

void RestoreAhead::restore(const Spreadsheet &spreadsheet, const RestoreCell &restoreCell)
{
    qsizetype index = 0;
    Restored *restored = nullptr;
    QString text;
    spreadsheet.cellsInParts(0, stretch * 8, [&](const QList<PlacedCell> &cells) {
        for (const PlacedCell &placed : cells) {
            const qsizetype at = index++;
            const qsizetype ahead = at / stretch / 2;
            if ((at / stretch) % 2 == 0)
                continue;
            if (at % stretch == 0)
                restored = roomFor(ahead);
            if (!restored)
                return; // stopped
            const int count = restoreCell(placed.column, placed.cell.text, text);
            restored->counts.push_back(count);
            if (count > 0)
                restored->texts.append(text);
            if (at % stretch == stretch - 1 || at == m_cells - 1)
                finished(ahead);
        }
    });
}

RestoreAhead::Restored *RestoreAhead::roomFor(qsizetype ahead)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [&] { return m_stopped || ahead - m_taken < stretchesAhead; });
    if (m_stopped)
        return nullptr;
    Restored &place = m_ring[size_t(ahead % stretchesAhead)];
    place.counts.clear();
    place.texts.clear();
    return &place;
}

void RestoreAhead::finished(qsizetype ahead)
{
    const std::lock_guard lock(m_mutex);
    m_restored = ahead + 1;
    m_changed.notify_all();
}

const RestoreAhead::Restored &RestoreAhead::waitFor(qsizetype ahead)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [&] { return m_restored > ahead || m_done; });
    if (m_failure)
        std::rethrow_exception(m_failure);
    static const Restored none;
    return m_restored > ahead ? m_ring[size_t(ahead % stretchesAhead)] : none;
}

int RestoreAhead::take(qsizetype index, QStringView &restored)
{
    const qsizetype ahead = index / stretch / 2;
    if (index % stretch == 0) {
        m_taking = &waitFor(ahead);
        m_nextText = 0;
    }
    const auto cell = size_t(index % stretch);
    const int count = cell < m_taking->counts.size() ? m_taking->counts[cell] : 0;
    if (count > 0)
        restored = m_taking->texts.at(m_nextText++);
    if (index % stretch == stretch - 1 || index == m_cells - 1) {
        const std::lock_guard lock(m_mutex);
        m_taken = ahead + 1;
        m_changed.notify_all();
    }
    return count;
}

} // namespace quorvane
