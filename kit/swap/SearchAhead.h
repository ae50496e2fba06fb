#pragma once

#include "kit/files/Spreadsheet.h"
#include "kit/find/Finding.h"
#include "kit/find/Kinds.h"

#include <QList>

#include <atomic>
#include <exception>
#include <functional>
#include <optional>
#include <span>
#include <thread>
#include <vector>

namespace quorvane {

// Searches the later part of a sheet's cells on a second thread while the
// scan reads the earlier part itself. Searching cells is most of a scan's
// reading, and a cell's findings depend on nothing but its text, the kind it
// is searched as and the extra terms, so either thread finds the same.
class SearchAhead
{
public:
    // The kind a cell is searched as, or nothing for a cell not searched;
    // called on the second thread, so it must only read.
    using KindOf = std::function<std::optional<ColumnKind>(const PlacedCell &)>;

    // Below `fewest` cells, or on a machine of one core, nothing is searched ahead.
    SearchAhead(std::span<const PlacedCell> cells, KindOf kindOf, const QList<ExtraTerm> &extraTerms,
                qsizetype fewest = 20'000);
    ~SearchAhead();
    SearchAhead(const SearchAhead &) = delete;
    SearchAhead &operator=(const SearchAhead &) = delete;

    // The index of the first cell searched ahead; the cell count when none is.
    qsizetype from() const { return m_from; }
    // A cell's findings, from `from()` on, each cell once and in order;
    // waits for the thread the first time.
    QList<Finding> take(qsizetype index);

private:
    void search(std::span<const PlacedCell> cells, const KindOf &kindOf, const QList<ExtraTerm> &extraTerms);
    void join();

    qsizetype m_from = 0;
    // The findings of the cells searched, end to end in large blocks that
    // lie apart from the heap and go as they are taken: a list for each cell
    // would be a block of the heap, each left as a hole among the texts of
    // the findings once taken.
    static constexpr qsizetype blockSize = qsizetype(1) << 14;
    std::vector<QList<Finding>> m_blocks;
    std::vector<int32_t> m_starts; // per cell searched ahead, its first finding's number; then the count
    size_t m_released = 0;
    std::exception_ptr m_failure;
    std::atomic<bool> m_stopped = false;
    std::thread m_thread;
};

} // namespace quorvane
