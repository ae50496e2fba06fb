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
    // sheet's words meanwhile, and records every cell's findings.
    m_from = qsizetype(cells.size()) * 2 / 5;
    m_found.resize(cells.size() - size_t(m_from));
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
    for (size_t i = 0; i < cells.size() && !m_stopped; ++i) {
        if (const std::optional<ColumnKind> kind = kindOf(cells[i]))
            m_found[i] = detector.findings(cells[i].cell.text, *kind);
    }
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
    return std::move(m_found[size_t(index - m_from)]);
}

} // namespace quorvane
