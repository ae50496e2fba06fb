#include "kit/suggest/SecondOpinion.h"

#include "kit/find/ColumnGuess.h"
#include "kit/find/TextRules.h"
#include "kit/swap/Scan.h"

#include <QHash>

namespace quorvane::SecondOpinion {

namespace {

QList<TextRange> coveredRanges(const Scan &scan, const CellRef &cell)
{
    QList<TextRange> ranges;
    for (const Scan::Planned &planned : scan.planned.at(cell))
        ranges.append(planned.range());
    return ranges;
}

bool hasUncoveredWord(const QString &text, const QList<TextRange> &covered)
{
    const QList<Word> words = nameWords(text);
    return std::any_of(words.cbegin(), words.cend(), [&](const Word &word) {
        return std::none_of(covered.cbegin(), covered.cend(),
                            [&](const TextRange &span) { return span.overlaps(word.range); });
    });
}

// Whether a column's cells may be read at all; the header test is cached,
// since every cell of a column asks it.
class ColumnFilter
{
public:
    explicit ColumnFilter(const Scan &scan) : m_scan(scan) {}

    bool admits(const ColumnID &column)
    {
        const auto known = m_admitted.constFind(column);
        if (known != m_admitted.cend())
            return *known;
        const auto kind = m_scan.columns.constFind(column);
        const bool admitted = kind != m_scan.columns.cend() && *kind == ColumnKind::autoDetect
            && !isNonPersonHeader(m_scan.headers.value(column));
        m_admitted.insert(column, admitted);
        return admitted;
    }

private:
    const Scan &m_scan;
    QHash<ColumnID, bool> m_admitted;
};

} // namespace

QList<Cell> cells(const Spreadsheet &spreadsheet, const Scan &scan, bool headerRow)
{
    QList<Cell> result;
    ColumnFilter filter(scan);
    const qsizetype sheets = spreadsheet.sheetNames().size();
    for (int sheet = 0; sheet < sheets; ++sheet) {
        const Grid grid = spreadsheet.grid(sheet);
        const qsizetype header = spreadsheet.headerRowIndex(sheet, headerRow);
        for (qsizetype row = 0; row < grid.size(); ++row) {
            if (row == header)
                continue;
            const QList<GridCell> &gridRow = grid.at(row);
            for (qsizetype column = 0; column < gridRow.size(); ++column) {
                const GridCell &gridCell = gridRow.at(column);
                const ColumnID columnID{sheet, static_cast<int>(column)};
                if (!gridCell.editable || gridCell.text.trimmed().isEmpty() || !filter.admits(columnID))
                    continue;
                const CellRef ref{sheet, static_cast<int>(row), static_cast<int>(column)};
                QList<TextRange> covered = coveredRanges(scan, ref);
                if (!hasUncoveredWord(gridCell.text, covered))
                    continue;
                result.append(Cell{ref, scan.headers.value(columnID), gridCell.text, std::move(covered)});
            }
        }
    }
    return result;
}

Queue queue(const Spreadsheet &spreadsheet, const Scan &scan, bool headerRow, int cap)
{
    return queue(cells(spreadsheet, scan, headerRow), cap);
}

ModelRun ask(const NameModel &model, const Spreadsheet &spreadsheet, const Scan &scan, bool headerRow, bool examples,
             int cap, std::stop_token stop, const std::function<void(const ModelAnswer &)> &onAnswer)
{
    return ask(model, cells(spreadsheet, scan, headerRow), examples, cap, std::move(stop), onAnswer);
}

} // namespace quorvane::SecondOpinion
