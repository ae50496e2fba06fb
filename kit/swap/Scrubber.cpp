#include "kit/swap/Scrubber.h"

#include "kit/ProgressMeter.h"
#include "kit/files/Spreadsheet.h"

#include <algorithm>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace quorvane {

Scrubber::Failure::Failure(Kind kind)
    : quorvane::Failure(u"The key changed since this file was scanned. Scan it again."_s), m_kind(kind)
{
}

namespace {

// Adds what the scan planned to the working key and checks that the key still
// gives every value the stand-in the scan showed.
void addEntries(const Scan &scan, ProjectKey &working, const QSet<QString> &excluded)
{
    for (const ReviewItem &item : scan.items) {
        if (excluded.contains(item.id))
            continue;
        for (const ProjectKey::Entry &entry : scan.entriesByItem.value(item.id)) {
            const bool known = working.entryForReal(entry.real, entry.kind) != nullptr;
            // A stand-in handed to another value meanwhile is not recorded; the
            // check below then finds the value without its planned stand-in.
            if (!known && !working.isSubstitute(entry.standIn, entry.kind))
                working.record(entry);
            if (working.storedSubstitute(entry.real, entry.kind) != entry.standIn)
                throw Scrubber::Failure(Scrubber::Failure::Kind::outdated);
        }
    }
}

// Whether the key is still the one the scan planned on, so that the scan's
// own key holds exactly what adding its entries would give.
bool plannedOnThisKey(const Scan &scan, const ProjectKey &key, const QSet<QString> &excluded)
{
    if (!scan.plannedKey || !excluded.isEmpty() || key.id() != scan.plannedKey->id()
        || key.valueCount() != scan.keyValueCount)
        return false;
    return key.valueCount() == 0 || key.entries().last() == scan.plannedKey->entries().at(key.valueCount() - 1);
}

// The scan's plans in cell order. The writer asks for cells in the order the
// file holds them, nearly always row by row, so the next plan is found by
// stepping forward from the last one; a cell out of that order is searched
// for. A large file's plans are many times too many for the cache, and a
// probe of the scan's table per cell costs more than all the rest of writing.
class PlansInOrder
{
public:
    explicit PlansInOrder(const QHash<CellRef, QList<Scan::Planned>> &planned)
    {
        m_plans.reserve(size_t(planned.size()));
        for (auto it = planned.cbegin(); it != planned.cend(); ++it)
            m_plans.emplace_back(it.key(), &it.value());
        std::sort(m_plans.begin(), m_plans.end(),
                  [](const Plan &a, const Plan &b) { return a.first < b.first; });
    }

    // The cell's plans, or null.
    const QList<Scan::Planned> *find(const CellRef &cell)
    {
        // Stepping forward is right only while every plan before the start lies before the cell.
        size_t at = m_next;
        if (at > 0 && !(m_plans[at - 1].first < cell)) {
            at = firstNotBefore(cell);
        } else {
            for (size_t steps = 0; at < m_plans.size() && m_plans[at].first < cell && steps < longestStep; ++steps)
                ++at;
            if (at < m_plans.size() && m_plans[at].first < cell)
                at = firstNotBefore(cell);
        }
        m_next = at;
        if (at == m_plans.size() || m_plans[at].first != cell)
            return nullptr;
        m_next = at + 1;
        return m_plans[at].second;
    }

private:
    using Plan = std::pair<CellRef, const QList<Scan::Planned> *>;
    static constexpr size_t longestStep = 8;

    size_t firstNotBefore(const CellRef &cell) const
    {
        const auto found = std::lower_bound(m_plans.cbegin(), m_plans.cend(), cell,
                                            [](const Plan &plan, const CellRef &to) { return plan.first < to; });
        return size_t(found - m_plans.cbegin());
    }

    std::vector<Plan> m_plans;
    size_t m_next = 0;
};

} // namespace

Scrubber::Result Scrubber::apply(const Scan &scan, const Spreadsheet &spreadsheet, ProjectKey &key,
                                 const QSet<QString> &excluded, const ProgressReport &progress)
{
    ProjectKey working = key;
    if (plannedOnThisKey(scan, key, excluded)) {
        working = *scan.plannedKey;
        // Renamed or given files meanwhile: those do not touch the entries.
        working.setName(key.name());
        for (const QString &file : key.files())
            working.addFile(file);
    } else {
        addEntries(scan, working, excluded);
    }

    int replaced = 0;
    ProgressMeter meter(progress, Progress::Stage::writing, spreadsheet.offeredCellCount());
    PlansInOrder plans(scan.planned);
    const QByteArray data = spreadsheet.data(
        [&](const std::optional<CellRef> &cell, const QString &text) -> std::optional<QString> {
            meter.advance();
            const QList<Scan::Planned> *inCell = cell ? plans.find(*cell) : nullptr;
            const QList<Scan::Planned> loose = cell ? QList<Scan::Planned>() : scan.loosePlanned.value(text);
            Applied applied = applying(inCell ? *inCell : loose, text, excluded);
            replaced += applied.count;
            return std::move(applied.text);
        });

    meter.finish();
    if (replaced > 0)
        working.addFile(spreadsheet.fileName());
    key = std::move(working);
    return {data, replaced};
}

Scrubber::Applied Scrubber::applying(const QList<Scan::Planned> &planned, const QString &text,
                                     const QSet<QString> &excluded)
{
    if (planned.isEmpty())
        return {};
    // Most cells hold one value: the new text is built in one go.
    if (const Scan::Planned &only = planned.first(); planned.size() == 1 && only.range.start >= 0
                                                      && only.range.start <= only.range.end) {
        if (excluded.contains(only.item) || only.range.end > text.size())
            return {};
        const QStringView whole = text;
        return {whole.first(only.range.start) + only.text + whole.sliced(only.range.end), 1};
    }
    // Most cells hold one value, which needs no ordering (and no copy to order).
    QList<Scan::Planned> ordered = planned;
    if (ordered.size() > 1)
        std::stable_sort(ordered.begin(), ordered.end(),
                         [](const Scan::Planned &a, const Scan::Planned &b) { return a.range.start > b.range.start; });
    QString result = text;
    int count = 0;
    for (const Scan::Planned &p : ordered) {
        if (excluded.contains(p.item) || p.range.end > text.size())
            continue;
        result.replace(p.range.start, p.range.length(), p.text);
        ++count;
    }
    if (count == 0)
        return {};
    return {std::move(result), count};
}

} // namespace quorvane
