#include "kit/swap/Scrubber.h"

#include "kit/FreedMemory.h"
#include "kit/ProgressMeter.h"
#include "kit/files/Spreadsheet.h"

#include <algorithm>
#include <utility>

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
    for (qsizetype i = 0; i < scan.items.size(); ++i) {
        if (!excluded.isEmpty() && excluded.contains(scan.items.at(i).id()))
            continue;
        for (const ProjectKey::Entry &entry : scan.entries.at(i)) {
            const bool known = working.entryForReal(entry.real, entry.kind) != nullptr;
            // A stand-in handed to another value meanwhile is not recorded; the
            // check below then finds the value without its planned stand-in.
            if (!known && !working.isSubstitute(entry.standIn, entry.kind))
                working.record(entry);
            else if (known)
                working.preferSpelling(entry.real, entry.kind);
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

// Finds the scan's plans for the cells the writer asks for, in the order the
// file holds them, nearly always row by row: the next plan is found by
// stepping forward from the last one, and a cell out of that order is
// searched for. A probe per cell costs more than all the rest of writing.
class PlansInOrder
{
public:
    explicit PlansInOrder(const CellPlans &planned) : m_planned(planned) {}

    std::span<const Scan::Planned> find(const CellRef &cell)
    {
        // Stepping forward is right only while every plan before the start lies before the cell.
        qsizetype at = m_next;
        const qsizetype size = m_planned.size();
        if (at > 0 && !(m_planned.cell(at - 1) < cell)) {
            at = m_planned.firstNotBefore(cell);
        } else {
            for (qsizetype steps = 0; at < size && m_planned.cell(at) < cell && steps < longestStep; ++steps)
                ++at;
            if (at < size && m_planned.cell(at) < cell)
                at = m_planned.firstNotBefore(cell);
        }
        m_next = at;
        if (at == size || m_planned.cell(at) != cell)
            return {};
        m_next = at + 1;
        return m_planned.plans(at);
    }

private:
    static constexpr qsizetype longestStep = 8;
    const CellPlans &m_planned;
    qsizetype m_next = 0;
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

    // What planning freed is not needed for the copy, which comes on top.
    returnFreedMemory();
    int replaced = 0;
    ProgressMeter meter(progress, Progress::Stage::writing, spreadsheet.offeredCellCount());
    PlansInOrder plans(scan.planned);
    const QByteArray data = spreadsheet.data(
        [&](const std::optional<CellRef> &cell, const QString &text) -> std::optional<QString> {
            meter.advance();
            const QList<Scan::Planned> loose = cell ? QList<Scan::Planned>() : scan.loosePlanned.value(text);
            Applied applied = applying(cell ? plans.find(*cell) : loose, text, scan, excluded);
            replaced += applied.count;
            return std::move(applied.text);
        });

    meter.finish();
    if (replaced > 0)
        working.addFile(spreadsheet.fileName());
    key = std::move(working);
    return {data, replaced};
}

Scrubber::Applied Scrubber::applying(std::span<const Scan::Planned> planned, const QString &text, const Scan &scan,
                                     const QSet<QString> &excluded)
{
    if (planned.empty())
        return {};
    const auto left = [&](const Scan::Planned &p) {
        return !excluded.isEmpty() && excluded.contains(scan.items.at(p.item).id());
    };
    // Most cells hold one value: the new text is built in one go.
    if (const Scan::Planned &only = planned.front(); planned.size() == 1 && only.start >= 0 && only.start <= only.end) {
        if (left(only) || only.end > text.size())
            return {};
        const QStringView whole = text;
        return {whole.first(only.start) + scan.textOf(only) + whole.sliced(only.end), 1};
    }
    // Most cells hold one value, which needs no ordering (and no copy to order).
    QList<Scan::Planned> ordered(planned.begin(), planned.end());
    if (ordered.size() > 1)
        std::stable_sort(ordered.begin(), ordered.end(),
                         [](const Scan::Planned &a, const Scan::Planned &b) { return a.start > b.start; });
    // A copy of its own, sized to the text: a file's cell texts share large
    // blocks, and changing one in place would copy it with the room before
    // it in its block.
    QString result = QStringView(text).toString();
    int count = 0;
    for (const Scan::Planned &p : ordered) {
        if (left(p) || p.end > text.size())
            continue;
        result.replace(p.start, p.end - p.start, scan.textOf(p));
        ++count;
    }
    if (count == 0)
        return {};
    return {std::move(result), count};
}

} // namespace quorvane
