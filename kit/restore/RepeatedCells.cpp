#include "kit/restore/RepeatedCells.h"

#include "kit/restore/StandInTable.h"

#include <algorithm>

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
// The restored texts kept, in units over every column: a wide file of long
// texts keeps a few megabytes at most.
constexpr qsizetype mostRestoredUnits = 1 << 20;

} // namespace

RepeatedCells::Column *RepeatedCells::columnAt(int column)
{
    if (column < 0 || column >= columnsLookedAt)
        return nullptr;
    if (m_columns.size() <= size_t(column))
        m_columns.resize(size_t(column) + 1);
    Column &found = m_columns[size_t(column)];
    return found.off ? nullptr : &found;
}

// The slot holding the text, or the free one where it goes.
RepeatedCells::Slot &RepeatedCells::slotFor(Column &column, const QString &text, size_t hash)
{
    const size_t mask = column.slots.size() - 1;
    for (size_t at = hash & mask;; at = (at + 1) & mask) {
        Slot &slot = column.slots[at];
        if (!slot.used || (slot.hash == hash && slot.text == text))
            return slot;
    }
}

const RepeatedCells::Restored *RepeatedCells::find(int column, const QString &text)
{
    Column *const at = columnAt(column);
    if (!at || text.size() > longestText)
        return nullptr;
    ++at->looked;
    if (at->held > 0) {
        const Slot &slot = slotFor(*at, text, StandInTable::hashOf(text));
        if (slot.used)
            return &slot.restored;
    }
    // Mostly new texts after the trial: the column is not worth remembering.
    if (++at->missed * 4 > at->looked * 3 && at->looked >= trial) {
        at->off = true;
        at->slots = {};
    }
    return nullptr;
}

void RepeatedCells::remember(int column, const QString &text, int count, QStringView restored)
{
    Column *const at = columnAt(column);
    const qsizetype units = count == 0 ? 0 : restored.size();
    if (!at || text.size() > longestText || at->held >= mostTexts || m_restoredUnits + units > mostRestoredUnits)
        return;
    // At most half the slots are taken, so that runs stay short.
    if (2 * (at->held + 1) > qsizetype(at->slots.size())) {
        std::vector<Slot> old(std::max<size_t>(64, 2 * at->slots.size()));
        std::swap(old, at->slots);
        for (Slot &slot : old) {
            if (slot.used)
                slotFor(*at, slot.text, slot.hash) = std::move(slot);
        }
    }
    const size_t hash = StandInTable::hashOf(text);
    Slot &slot = slotFor(*at, text, hash);
    if (slot.used)
        return;
    slot = {hash, text, {count, count == 0 ? QString() : restored.toString()}, true};
    ++at->held;
    m_restoredUnits += units;
}

} // namespace quorvane
