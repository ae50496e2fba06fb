#include "kit/swap/SearchAhead.h"

#include "kit/find/Detector.h"

namespace quorvane {

SearchAhead::SearchAhead(std::span<const PlacedCell> cells, KindOf kindOf, const QList<ExtraTerm> &extraTerms,
                         qsizetype fewest)
    : m_from(qsizetype(cells.size()))
{
    if (qsizetype(cells.size()) < fewest || std::thread::hardware_concurrency() < 2)
        return;
    // The later part is the larger: the scan's own thread also gathers the
    // sheet's words meanwhile, and records every cell's findings, which for
    // a customer list costs about as much as searching a third of its cells.
    m_from = qsizetype(cells.size()) * 3 / 10;
    m_starts.reserve(cells.size() - size_t(m_from) + 1);
    m_thread = std::thread([this, later = cells.subspan(size_t(m_from)), kindOf = std::move(kindOf), extraTerms] {
        try {
            search(later, kindOf, extraTerms);
        } catch (...) {
            m_failure = std::current_exception();
        }
    });
}

SearchAhead::~SearchAhead()
{
    // A scan cancelled or failed before it took these findings needs none of them.
    m_stopped = true;
    if (m_thread.joinable())
        m_thread.join();
}

void SearchAhead::search(std::span<const PlacedCell> cells, const KindOf &kindOf, const QList<ExtraTerm> &extraTerms)
{
    Detector detector(extraTerms);
    int32_t count = 0;
    for (size_t i = 0; i < cells.size() && !m_stopped; ++i) {
        m_starts.push_back(count);
        const std::optional<ColumnKind> kind = kindOf(cells[i]);
        if (!kind)
            continue;
        for (Finding &finding : detector.findings(cells[i].cell.text, *kind)) {
            if (count % blockSize == 0)
                m_blocks.emplace_back().reserve(blockSize);
            m_blocks.back().append(std::move(finding));
            ++count;
        }
    }
    m_starts.push_back(count);
}

void SearchAhead::join()
{
    if (!m_thread.joinable())
        return;
    m_thread.join();
    if (m_failure)
        std::rethrow_exception(m_failure);
}

QList<Finding> SearchAhead::take(qsizetype index)
{
    join();
    const auto cell = size_t(index - m_from);
    if (cell + 1 >= m_starts.size())
        return {}; // stopped before this cell
    const int32_t first = m_starts[cell], end = m_starts[cell + 1];
    QList<Finding> findings;
    findings.reserve(end - first);
    for (int32_t at = first; at < end; ++at)
        findings.append(std::move(m_blocks[size_t(at / blockSize)][at % blockSize]));
    // Cells are taken in order: the blocks before this cell's are done with.
    for (; m_released < size_t(first / blockSize); ++m_released)
        QList<Finding>().swap(m_blocks[m_released]);
    return findings;
}

} // namespace quorvane
