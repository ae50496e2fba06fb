#include "kit/restore/RepeatedCells.h"

#include "kit/restore/StandInTable.h"

namespace quorvane {

namespace {

// A column is judged on its first cells; later ones are only counted.
constexpr qsizetype trial = 64;
// Long texts seldom repeat, and a few columns are enough to look at.
constexpr qsizetype longestText = 256;
constexpr int columnsLookedAt = 64;
// Enough for the states, plans and templates a column repeats; a column with
// more different texts than this keeps the ones it met first.
constexpr qsizetype mostTexts = 1 << 12;

} // namespace

size_t RepeatedCells::Hash::operator()(const QString &text) const
{
    return StandInTable::hashOf(text);
}

RepeatedCells::Column *RepeatedCells::columnAt(int column)
{
    if (column < 0 || column >= columnsLookedAt)
        return nullptr;
    if (m_columns.size() <= size_t(column))
        m_columns.resize(size_t(column) + 1);
    Column &found = m_columns[size_t(column)];
    return found.off ? nullptr : &found;
}

const RepeatedCells::Restored *RepeatedCells::find(int column, const QString &text)
{
    Column *const at = columnAt(column);
    if (!at || text.size() > longestText)
        return nullptr;
    ++at->looked;
    const auto known = at->restored.find(text);
    if (known != at->restored.end())
        return &known->second;
    // Mostly new texts after the trial: the column is not worth remembering.
    if (++at->missed * 4 > at->looked * 3 && at->looked >= trial) {
        at->off = true;
        at->restored = {};
    }
    return nullptr;
}

void RepeatedCells::remember(int column, const QString &text, int count, QStringView restored)
{
    Column *const at = columnAt(column);
    if (!at || text.size() > longestText || at->restored.size() >= mostTexts)
        return;
    at->restored.emplace(text, Restored{count, count == 0 ? QString() : restored.toString()});
}

} // namespace quorvane
